#include "ui/qt/form1_window.h"

#include <unistd.h>

#include <QCloseEvent>
#include <QDir>
#include <QMessageBox>

#include "engine/run_error.h"
#include "settings/qt/browse_folder.h"
#include "ui/number_text.h"
#include "ui/recording_controls.h"

namespace tovrik {
namespace {

constexpr int kTwips = ChartWidget::kTwipsPerPixel;

QRect Twips(int left, int top, int width, int height) {
    return QRect(left / kTwips, top / kTwips, width / kTwips, height / kTwips);
}

QString Text(const std::string& bytes) {
    // A byte of a match file is one character.
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QFont WindowFont(bool bold) {
    // The classic dialog face where it exists, else a sans serif of the same
    // compact metrics.
    QFont font("MS Sans Serif");
    font.setFamilies({"MS Sans Serif", "Liberation Sans", "Arial", "DejaVu Sans"});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);  // 8.25 points at 96 dots per inch
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    return font;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, QRect where, QColor colour, bool bold) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(where);
    label->setFont(WindowFont(bold));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setAttribute(Qt::WA_TranslucentBackground);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

QListWidget* MakeList(QWidget* parent, const char* name, QRect where, QColor base, QColor text) {
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    list->setGeometry(where);
    list->setFont(WindowFont(false));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    QPalette palette = list->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, base);
        palette.setColor(group, QPalette::Text, text);
    }
    palette.setColor(QPalette::Disabled, QPalette::Text, text.darker(170));
    list->setPalette(palette);
    return list;
}

}  // namespace

Form1Window::Form1Window(QWidget* parent) : QWidget(parent), form_(*this, UserDecimalSeparator()) {
    setWindowTitle("Tovrik Stats v0.1");
    setWindowIcon(QIcon(":/icons/tovrik.ico"));
    setFixedSize(9015 / kTwips, 4305 / kTwips);
    setFont(WindowFont(false));
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);

    // The system colours the layout names, as the classic desktop scheme has
    // them: the window frame black, window backgrounds white, captions and
    // highlighted text white, window text black.
    const QColor frame = Qt::black;
    const QColor windowText = Qt::black;
    const QColor highlightText = Qt::white;
    const QColor windowBackground = Qt::white;

    auto* panel = new QLabel(this);  // Picture3
    panel->setObjectName("Picture3");
    panel->setGeometry(Twips(0, 0, 9015, 4575));
    panel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    panel->setAutoFillBackground(true);
    QPalette panelPalette = panel->palette();
    panelPalette.setColor(QPalette::Window, frame);
    panel->setPalette(panelPalette);
    panel->setPixmap(QPixmap(":/images/background.png"));

    list1_ = MakeList(this, "List1", Twips(120, 4800, 8775, 810), Qt::black, QColor(0, 255, 0));
    list1_->setFocusPolicy(Qt::NoFocus);  // out of sight: never a tab stop
    picture1_ = new ChartWidget(6975, 2560, QColor(0, 0, 64), this);
    picture1_->setObjectName("Picture1");
    picture1_->move(240 / kTwips, 600 / kTwips);
    list2_ = MakeList(this, "List2", Twips(7320, 600, 1455, 1200), frame, highlightText);
    list3_ = MakeList(panel, "List3", Twips(7320, 1920, 1455, 1200), frame, windowBackground);
    list3_->setEnabled(false);

    for (auto [name, left, image] : {std::tuple{"Picture2", 7320, ":/images/marker-low.png"},
                                     std::tuple{"Picture4", 8040, ":/images/marker-high.png"}}) {
        auto* marker = new QLabel(panel);
        marker->setObjectName(name);
        marker->setGeometry(Twips(left, 3840, 255, 255));
        marker->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        marker->setAutoFillBackground(true);
        QPalette p = marker->palette();
        p.setColor(QPalette::Window, windowText);
        marker->setPalette(p);
        marker->setPixmap(QPixmap(image));
    }

    const QColor grey(128, 128, 128), silver(192, 192, 192), red(255, 0, 0);
    MakeLabel(panel, "Label1", "Version : 0.1", Twips(4920, 105, 2895, 255), grey, true);
    MakeLabel(panel, "Label2", kHomeAddress, Twips(4920, 300, 2535, 255), grey, false);
    for (auto [name, x] : {std::pair{"Line2", 2040}, std::pair{"Line1", 5160}, std::pair{"Line3", 7200}}) {
        auto* line = new QWidget(panel);
        line->setObjectName(name);
        line->setGeometry(x / kTwips, 3480 / kTwips, 1, (4440 - 3480) / kTwips);
        line->setAutoFillBackground(true);
        QPalette p = line->palette();
        p.setColor(QPalette::Window, QColor(64, 64, 64));
        line->setPalette(p);
    }

    struct Caption {
        const char* name;
        const char* text;
        int left, top, width;
    };
    for (const Caption& c :
         {Caption{"Label3", "Map:", 240, 3480, 615}, Caption{"Label25", "Played:", 240, 3720, 735},
          Caption{"Label4", "Weapon:", 240, 3960, 855}, Caption{"Label7", "Total shoots:", 2160, 3480, 1215},
          Caption{"Label11", "Total hits:", 2160, 3720, 1095}, Caption{"Label8", "Total headshots:", 2160, 3960, 1455},
          Caption{"Label13", "Total kills:", 5280, 3480, 1095}, Caption{"Label14", "Total deaths:", 5280, 3720, 1215},
          Caption{"Label19", "Ratio (k/d):", 5280, 3960, 1095}, Caption{"Label21", "Accuracy:", 7320, 3480, 855}})
        MakeLabel(panel, c.name, c.text, Twips(c.left, c.top, c.width, 255), red, true);

    struct Value {
        Label label;
        const char* text;
        int left, top, width;
        QColor colour;
    };
    for (const Value& v :
         {Value{Label::Label5, "All map", 1080, 3480, 855, silver}, Value{Label::Label26, "0", 1080, 3720, 855, grey},
          Value{Label::Label6, "none", 1080, 3960, 855, silver}, Value{Label::Label10, "0", 3720, 3480, 735, silver},
          Value{Label::Label12, "0", 3720, 3720, 735, silver}, Value{Label::Label18, "0%", 4440, 3720, 615, grey},
          Value{Label::Label9, "0", 3720, 3960, 735, silver}, Value{Label::Label17, "0%", 4440, 3960, 615, grey},
          Value{Label::Label15, "0", 6480, 3480, 615, silver}, Value{Label::Label16, "0", 6480, 3720, 615, silver},
          Value{Label::Label20, "0", 6480, 3960, 615, silver},
          Value{Label::Label24, "0%", 8280, 3480, 495, highlightText},
          Value{Label::Label22, "0%", 7560, 3840, 495, red},
          Value{Label::Label23, "0%", 8280, 3840, 495, QColor(0, 192, 0)}})
        values_[v.label] =
            MakeLabel(panel, LabelName(v.label), v.text, Twips(v.left, v.top, v.width, 255), v.colour, false);

    // The panel lies beneath the controls placed on the window itself.
    panel->lower();
    setTabOrder(list2_, list3_);
    list2_->setFocus();

    connect(list2_, &QListWidget::itemSelectionChanged, this, &Form1Window::runStats);
    connect(list3_, &QListWidget::itemSelectionChanged, this, &Form1Window::runStats);

    form_.BrowseFolder = [this](const std::string& title, const std::string& initialPath, std::int32_t root,
                                std::int32_t flags, const std::string& iconName) {
        return tovrik::BrowseFolder(title, initialPath, root, flags, this, iconName);
    };
}

bool Form1Window::load() { return form_.Form_Load() && !ended_; }

QString Form1Window::LockPath() { return QDir::tempPath() + QString("/tovrik-stats-%1.lock").arg(getuid()); }

bool Form1Window::AnotherInstanceRunning() {
    lock_ = std::make_unique<QLockFile>(LockPath());
    return !lock_->tryLock(0);
}

std::string Form1Window::SelectedText(QListWidget* list) {
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? std::string() : selected.first()->text().toLatin1().toStdString();
}

void Form1Window::List2_AddItem(const std::string& text) { list2_->addItem(Text(text)); }

void Form1Window::List3_AddItem(const std::string& text) {
    std::vector<std::string> items;
    for (int row = 0; row < list3_->count(); ++row) items.push_back(list3_->item(row)->text().toLatin1().toStdString());
    list3_->insertItem(static_cast<int>(SortedRow(items, text)), Text(text));
}

void Form1Window::Picture1_Line(float x1, float y1, float x2, float y2, Rgb c) {
    picture1_->line(x1, y1, x2, y2, QColor(c.r, c.g, c.b));
}

void Form1Window::Picture1_PSet(float x, float y, Rgb c) { picture1_->pset(x, y, QColor(c.r, c.g, c.b)); }

void Form1Window::SetCaption(Label label, const std::string& text) { values_.at(label)->setText(Text(text)); }

void Form1Window::runStats() {
    try {
        form_.ComputeStats();
    } catch (const RunError& error) {
        // The run stops; the window goes on with what it showed.
        QMessageBox::critical(this, "Tovrik Stats", QString::fromLocal8Bit(error.what()));
    }
}

void Form1Window::closeEvent(QCloseEvent* event) {
    std::int16_t cancel = 0;
    form_.Form_Unload(cancel);
    event->accept();
}

}  // namespace tovrik
