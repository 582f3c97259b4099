#include "ui/qt/form1_window.h"

#include "base/number_text.h"
#include "base/version.h"
#include "settings/qt/browse_folder.h"
#include "ui/qt/latin1_text.h"

namespace tovrik {
namespace {

constexpr int kTwips = ChartImage::kTwipsPerPixel;

QRect Twips(int left, int top, int width, int height) {
    return QRect(left / kTwips, top / kTwips, width / kTwips, height / kTwips);
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

// The system colours the layout names, as the classic desktop scheme has
// them: the window frame black, window backgrounds white, captions and
// highlighted text white, window text black.
const QColor kFrame = Qt::black;
const QColor kWindowText = Qt::black;
const QColor kHighlightText = Qt::white;
const QColor kWindowBackground = Qt::white;
const QColor kGrey(128, 128, 128), kSilver(192, 192, 192), kRed(255, 0, 0), kGreen(0, 192, 0);

// The layout, in twips from the top-left corner of the window.
struct Place {
    const char* name;
    int left, top, width;
    int height = 0;  // 0: a label's height
};
constexpr int kLabelHeight = 255;
const Place kWindow{"Form1", 0, 0, 9015, 4305};
const Place kPanel{"Picture3", 0, 0, 9015, 4575};
const Place kChart{"Picture1", 240, 600, 0, 0};  // its size is the chart's own
const Place kList1{"List1", 120, 4800, 8775, 810};
const Place kList2{"List2", 7320, 600, 1455, 1200};
const Place kList3{"List3", 7320, 1920, 1455, 1200};

struct Marker {
    Place place;
    const char* image;
};
const Marker kMarkers[] = {{{"Picture2", 7320, 3840, 255, 255}, ":/images/marker-low.png"},
                           {{"Picture4", 8040, 3840, 255, 255}, ":/images/marker-high.png"}};

// The separators between the summary's columns.
const Place kLines[] = {{"Line2", 2040, 3480, 1, 960}, {"Line1", 5160, 3480, 1, 960}, {"Line3", 7200, 3480, 1, 960}};

// The fixed captions, red and bold.
struct Caption {
    Place place;
    const char* text;
};
const Caption kCaptions[] = {{{"Label3", 240, 3480, 615}, "Map:"},
                             {{"Label25", 240, 3720, 735}, "Played:"},
                             {{"Label4", 240, 3960, 855}, "Weapon:"},
                             {{"Label7", 2160, 3480, 1215}, "Total shoots:"},
                             {{"Label11", 2160, 3720, 1095}, "Total hits:"},
                             {{"Label8", 2160, 3960, 1455}, "Total headshots:"},
                             {{"Label13", 5280, 3480, 1095}, "Total kills:"},
                             {{"Label14", 5280, 3720, 1215}, "Total deaths:"},
                             {{"Label19", 5280, 3960, 1095}, "Ratio (k/d):"},
                             {{"Label21", 7320, 3480, 855}, "Accuracy:"}};

// The value labels a run fills, with the text they start with.
struct Value {
    Label label;
    int left, top, width;
    const char* text;
    QColor colour;
};
const Value kValues[] = {
    {Label::Label5, 1080, 3480, 945, "All map", kSilver}, {Label::Label26, 1080, 3720, 855, "0", kGrey},
    {Label::Label6, 1080, 3960, 945, "none", kSilver},    {Label::Label10, 3720, 3480, 735, "0", kSilver},
    {Label::Label12, 3720, 3720, 735, "0", kSilver},      {Label::Label18, 4440, 3720, 615, "0%", kGrey},
    {Label::Label9, 3720, 3960, 735, "0", kSilver},       {Label::Label17, 4440, 3960, 615, "0%", kGrey},
    {Label::Label15, 6480, 3480, 615, "0", kSilver},      {Label::Label16, 6480, 3720, 615, "0", kSilver},
    {Label::Label20, 6480, 3960, 615, "0", kSilver},      {Label::Label24, 8280, 3480, 495, "0%", kHighlightText},
    {Label::Label22, 7560, 3840, 495, "0%", kRed},        {Label::Label23, 8280, 3840, 495, "0%", kGreen}};

QRect Twips(const Place& p) { return Twips(p.left, p.top, p.width, p.height == 0 ? kLabelHeight : p.height); }

// A widget filled with one colour behind what it shows.
void Fill(QWidget* widget, QColor colour) {
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
}

QLabel* MakeLabel(QWidget* parent, const Place& place, const QString& text, QColor colour, bool bold) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(place.name);
    label->setGeometry(Twips(place));
    label->setFont(WindowFont(bold));
    label->setTextFormat(Qt::PlainText);  // map names and fields come from files
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setAttribute(Qt::WA_TranslucentBackground);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

QLabel* MakePicture(QWidget* parent, const Place& place, const char* image, QColor background) {
    auto* picture = new QLabel(parent);
    picture->setObjectName(place.name);
    picture->setGeometry(Twips(place));
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Fill(picture, background);
    picture->setPixmap(QPixmap(image));
    return picture;
}

// A list box of one choice: once an entry is chosen, one stays chosen; a
// Ctrl+click (or Ctrl+Space) on it does not take the choice away.
class ListBox : public QListWidget {
public:
    using QListWidget::QListWidget;

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index, const QEvent* event) const override {
        QItemSelectionModel::SelectionFlags flags = QListWidget::selectionCommand(index, event);
        if (flags.testFlag(QItemSelectionModel::Deselect) || flags.testFlag(QItemSelectionModel::Toggle))
            return QItemSelectionModel::NoUpdate;
        return flags;
    }
};

QListWidget* MakeList(QWidget* parent, const Place& place, QColor base, QColor text) {
    auto* list = new ListBox(parent);
    list->setObjectName(place.name);
    list->setGeometry(Twips(place));
    list->setFont(WindowFont(false));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    // Long names are cut with "…" (and shown whole on hover), never scrolled to.
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setTextElideMode(Qt::ElideRight);
    list->setStyleSheet(
        "QListWidget { border: 1px solid rgb(64, 64, 64); }"
        "QListWidget:focus { border: 2px solid rgb(255, 200, 0); }");
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

Form1Window::Form1Window(QWidget* parent, QString instanceName)
    : QWidget(parent), form_(*this, UserDecimalSeparator()), instanceName_(std::move(instanceName)) {
    setWindowTitle(QString("Tovrik Stats v") + kVersion);
    // The desktop's icon for the program, the bundled one where there is none.
    setWindowIcon(QIcon::fromTheme("org.tovrik_stats.TovrikStats", QIcon(":/icons/tovrik.ico")));
    setFixedSize(Twips(kWindow).size());
    // A window of one size has nothing to maximize: the window manager is told so.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(WindowFont(false));
    Fill(this, Qt::black);

    QLabel* panel = MakePicture(this, kPanel, ":/images/background.png", kFrame);
    list1_ = MakeList(this, kList1, Qt::black, QColor(0, 255, 0));
    list1_->setFocusPolicy(Qt::NoFocus);  // out of sight: never a tab stop
    picture1_ = new ChartWidget(this);
    picture1_->setObjectName(kChart.name);
    picture1_->move(kChart.left / kTwips, kChart.top / kTwips);
    list2_ = MakeList(this, kList2, kFrame, kHighlightText);
    list3_ = MakeList(panel, kList3, kFrame, kWindowBackground);
    list3_->setEnabled(false);

    fillPanel(panel);

    // The panel lies beneath the controls placed on the window itself.
    panel->lower();
    list2_->setFocus();

    connect(list2_, &QListWidget::itemSelectionChanged, this, &Form1Window::runStats);
    connect(list3_, &QListWidget::itemSelectionChanged, this, &Form1Window::runStats);

    form_.BrowseFolder = [this](const std::string& prompt, const std::string& initialPath, const std::string& note) {
        return tovrik::BrowseFolder(prompt, initialPath, kFolderDrives, 0, this, "", note);
    };
    setUpKeysAndWatch();
}

void Form1Window::fillPanel(QWidget* panel) {
    for (const Marker& marker : kMarkers) MakePicture(panel, marker.place, marker.image, kWindowText);
    MakeLabel(panel, {"Label1", 4920, 105, 2895}, QString("Version : ") + kVersion, kGrey, true);
    MakeLabel(panel, {"Label2", 4920, 300, 2535}, kHomeAddress, kGrey, false);
    for (const Place& line : kLines) {
        auto* widget = new QWidget(panel);
        widget->setObjectName(line.name);
        widget->setGeometry(line.left / kTwips, line.top / kTwips, line.width, line.height / kTwips);
        Fill(widget, QColor(64, 64, 64));
    }
    for (const Caption& c : kCaptions) MakeLabel(panel, c.place, c.text, kRed, true);
    for (const Value& v : kValues)
        values_[v.label] = MakeLabel(panel, {LabelName(v.label), v.left, v.top, v.width}, v.text, v.colour, false);
}

bool Form1Window::load() {
    bool loaded = form_.Form_Load() && !ended_;
    showPendingMaps();
    // The last choice runs once the window shows, so that a message of its
    // run has the window behind it.
    if (loaded) QTimer::singleShot(0, this, &Form1Window::restoreChoice);
    return loaded;
}

}  // namespace tovrik
