#pragma once

#include <QLabel>
#include <QListWidget>
#include <QLocalServer>
#include <QSet>
#include <QTimer>
#include <QWidget>
#include <map>
#include <memory>

#include "base/run_error.h"
#include "ui/controls.h"
#include "ui/form1.h"
#include "ui/qt/breakdown_window.h"
#include "ui/qt/chart_widget.h"
#include "ui/qt/folder_watch.h"

namespace tovrik {

// The project's home address, shown under the version.
constexpr const char* kHomeAddress = "https://tovrik-stats.org";

// The one window: the weapon list, the map list, the accuracy chart and the
// summary labels over the background panel, laid out in twips.
class Form1Window : public QWidget, public Form1Controls {
    Q_OBJECT
public:
    // `instanceName` is the name a second start finds this window by.
    explicit Form1Window(QWidget* parent = nullptr, QString instanceName = InstanceName());

    Form1& form() { return form_; }
    // Runs the start-up; false when the program is to end without a window.
    bool load();
    // The name under which the user's one window on this display answers a
    // second start: one for each user and display.
    static QString InstanceName();

    // Form1Controls.
    void List1_Clear() override { list1_->clear(); }
    void List2_AddItem(const std::string& text) override;
    std::string List2_Text() override { return SelectedText(list2_); }
    void List3_AddItem(const std::string& text) override;
    std::string List3_Text() override { return SelectedText(list3_); }
    void List3_Clear() override;
    void List3_SetEnabled(bool enabled) override { list3_->setEnabled(enabled); }
    ChartSurface& Picture1() override { return picture1_->surface(); }
    void SetCaption(Label label, const std::string& text) override;
    void ShowMessage(const std::string& text) override;
    bool AnotherInstanceRunning() override;
    void EndProgram() override { ended_ = true; }

    // Opens the folder browser on the current folder; a choice is kept and
    // the current choice runs again there.
    void chooseFolder();
    // Runs the current choice again, when a weapon is chosen.
    void runAgain();
    // Shows the breakdown window of the chosen weapon.
    void openBreakdown();
    BreakdownWindow* breakdown() { return breakdown_; }
    // Opens `folder` in the user's file manager.
    virtual void openFolder(const std::string& folder);
    // True when a file in one of `folders` changed less than the settle time
    // before `now`: it may still be being written.
    static bool StillBeingWritten(const QStringList& folders, const QDateTime& now);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static std::string SelectedText(QListWidget* list);
    void runStats();    // a selection changed in either list
    void runSettled();  // the folders have been still for a while since they changed
    void showStop(const RunError& error);
    void setUpStopStrip();
    void showPendingMaps();
    void fillPanel(QWidget* panel);
    void setUpButtons();
    void setUpKeysAndWatch();
    // Answers a second start of the same user on this display: raised, restored, said so.
    void listenForSecondStarts();
    void watchFolders();
    void restoreChoice();
    void updateBreakdown();
    bool showPointAt(const QPoint& pixel, const QPoint& global);

    Form1 form_;
    QListWidget* list1_;
    QListWidget* list2_;
    QListWidget* list3_;
    ChartWidget* picture1_;
    std::map<Label, QLabel*> values_;
    std::vector<std::string> list3Items_;   // List3's entries, in its order
    std::vector<std::string> pendingMaps_;  // added during a run, shown at its end
    QString instanceName_;
    std::unique_ptr<QLocalServer> instance_;
    FolderWatch* watch_;
    QTimer* settle_;          // a run a second after the last change
    bool rewatch_ = true;     // folders may have come or gone since they were watched
    QSet<QString> changed_;   // the folders changed since the last run the watch started
    int postponed_ = 0;       // times that run waited for a file still being written
    bool automatic_ = false;  // the run under way was started by a change, not by the player
    QWidget* stopStrip_;      // over the chart's top edge: why the last run stopped
    QLabel* stopText_;
    QLabel* runNote_;         // over the chart: what the last run could not read
    std::string stopFolder_;  // the folder of the file that stopped it
    bool ended_ = false;
    BreakdownWindow* breakdown_ = nullptr;  // made when first opened
};

}  // namespace tovrik
