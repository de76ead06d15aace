#include "app/form1.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>
#include <QToolBar>
#include <QTreeView>
#include <algorithm>
#include <vector>

#include "app/fourfold_table.h"
#include "app/resource_icon.h"
#include "app/sample_list_model.h"
#include "app/twips.h"
#include "entry/entry_rules.h"
#include "files/sample_file.h"
#include "stats/critical_tables.h"
#include "stats/fourfold.h"
#include "stats/number.h"
#include "stats/paired.h"
#include "stats/regression.h"
#include "stats/two_sample.h"

// The icons are compiled into the static library, whose resource initialiser
// the linker would otherwise drop.
static void InitResources() { Q_INIT_RESOURCE(app); }

namespace sumvane {
namespace {

const QString kEmptyInputMessage = QStringLiteral("输入数据不能为空！");
const QString kSaveFailedMessage = QStringLiteral("请输入保存文件名！");

const std::array<QString, 5> kMethodCaptions = {
    QStringLiteral("两样本均数差别T检验"), QStringLiteral("配对计量资料T检验"),
    QStringLiteral("直线相关与回归"), QStringLiteral("计数资料卡方检验"),
    QStringLiteral("配对资料卡方检验")};

// Panel colours: the panels are black and their captions white; the design
// fixes the few that stand out.
const QColor kPanelBack = Qt::black;
const QColor kCaption = Qt::white;
const QColor kRed = Qt::red;
const QColor kBlue = Qt::blue;
const QColor kTableBack(0xD4, 0xD0, 0xC8);
const QColor kTableText(0x40, 0x40, 0x40);

// The first of the faces that is installed. Naming only that face spares
// every font the program makes the search through the absent ones, each of
// which costs a fontconfig fallback query.
QString FirstInstalled(const QStringList& families) {
  for (const QString& family : families) {
    if (QFontDatabase::hasFamily(family)) return family;
  }
  return families.front();
}

const QString& WindowFamily() {
  static const QString family = FirstInstalled(
      {QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("Noto Serif CJK SC"),
       QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Zen Hei")});
  return family;
}

QFont WindowFont(double pointSize = 9, bool bold = false) {
  QFont font(WindowFamily());
  font.setPointSizeF(pointSize);
  font.setBold(bold);
  return font;
}

QString Q(const std::string& text) { return QString::fromStdString(text); }
std::string S(const QString& text) { return text.toStdString(); }

QString Indexed(const char* name, int index) {
  return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

void SetColours(QWidget* widget, const QColor& text, const std::optional<QColor>& back) {
  QPalette p = widget->palette();
  p.setColor(QPalette::WindowText, text);
  p.setColor(QPalette::Text, text);
  if (back) {
    p.setColor(QPalette::Window, *back);
    p.setColor(QPalette::Base, *back);
  }
  widget->setPalette(p);
}

// A transparent label at a place in twips; without a size it takes the size
// its caption needs. Qt gives a widget that was never resized its size hint
// when it first appears, so the captions of panels a session never shows are
// never measured, nor their fonts loaded.
QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& caption,
                  const QColor& colour, int left, int top, int width = -1, int height = -1,
                  double pointSize = 9, bool bold = false) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(name);
  label->setFont(WindowFont(pointSize, bold));
  SetColours(label, colour, std::nullopt);
  if (width < 0) {
    label->move(Px(left), Px(top));
  } else {
    PlaceTwips(label, left, top, width, height);
  }
  return label;
}

struct BoxStyle {
  QColor text;
  QColor back;
  bool framed = false;
  bool outlined = false;  // a thin rule shows where to type on a black panel
};

// A box that shows where to type by a thin rule along its bottom edge. The box
// draws the rule itself: a style sheet would give each such box a style-sheet
// style of its own to build and polish.
class OutlinedBox : public QLineEdit {
 public:
  using QLineEdit::QLineEdit;

 protected:
  void paintEvent(QPaintEvent* event) override {
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    painter.setPen(QColor(0x60, 0x60, 0x60));
    painter.drawLine(0, height() - 1, width() - 1, height() - 1);
  }
};

QLineEdit* MakeBox(QWidget* parent, const QString& name, int left, int top, int width, int height,
                   const BoxStyle& style, int maxLength = 32767, bool readOnly = false,
                   double pointSize = 9) {
  auto* box = style.outlined ? new OutlinedBox(parent) : new QLineEdit(parent);
  box->setObjectName(name);
  box->setFont(WindowFont(pointSize));
  box->setFrame(style.framed);
  box->setTextMargins(0, 0, 0, 0);
  box->setMaxLength(maxLength);
  box->setReadOnly(readOnly);
  SetColours(box, style.text, style.back);
  PlaceTwips(box, left, top, width, height);
  return box;
}

QWidget* MakePanel(QWidget* parent, const QString& name, int left, int top) {
  auto* panel = new QFrame(parent);
  panel->setObjectName(name);
  panel->setAutoFillBackground(true);
  SetColours(panel, kCaption, kPanelBack);
  PlaceTwips(panel, left, top, 5640, 1740);
  return panel;
}

QGroupBox* MakeFrame(QWidget* parent, const QString& name, const QString& caption, int left,
                     int top, int width, int height) {
  auto* frame = new QGroupBox(caption, parent);
  frame->setObjectName(name);
  PlaceTwips(frame, left, top, width, height);
  return frame;
}

// Writes a figure into a box; a box with a character limit receives the figure
// shortened to that limit without changing its magnitude.
void WriteBox(QLineEdit* box, const std::string& text) {
  const int limit = box->maxLength();
  box->setText(Q(limit < 32767 ? ClipText(text, limit) : text));
  box->setCursorPosition(0);  // a long figure shows its leading digits
}

// A result label is announced with the caption beside it, since its own text
// is only the figure.
constexpr const char* kCaptionProperty = "sumvaneCaption";

void WriteLabel(QLabel* label, const QString& text) {
  label->setText(text);
  label->setAccessibleName(label->property(kCaptionProperty).toString() + text);
}

QString CrLfToLf(const std::string& text) { return Q(text).replace(QStringLiteral("\r\n"), "\n"); }

// A reference table's box. It receives its text as it first appears: a table
// a session never shows costs nothing, and a table is never seen without its
// text.
class ReferenceTable : public QPlainTextEdit {
 public:
  ReferenceTable(QWidget* parent, const std::string& (*text)())
      : QPlainTextEdit(parent), text_(text) {}

 protected:
  void showEvent(QShowEvent* event) override {
    if (text_ != nullptr) {
      setPlainText(CrLfToLf(text_()));
      text_ = nullptr;
    }
    QPlainTextEdit::showEvent(event);
  }

 private:
  const std::string& (*text_)();
};

// The list's column header. Qt measures header sections in bold, for sections
// drawn bold when their column is selected; this header never highlights, so
// it measures in its own face and the program never loads a bold face just to
// size the header.
class ListHeader : public QHeaderView {
 public:
  explicit ListHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    setHighlightSections(false);
    // As the tree view's own header would be.
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setStretchLastSection(true);
  }

 protected:
  QSize sectionSizeFromContents(int logicalIndex) const override {
    QStyleOptionHeader option;
    initStyleOption(&option);
    option.section = logicalIndex;
    option.text = model()->headerData(logicalIndex, orientation()).toString();
    return style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), this);
  }
};

}  // namespace

Form1::Form1(QWidget* parent) : QMainWindow(parent), dialogs_(std::make_unique<QtDialogs>()) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("Sumvane 2.0"));
  InitResources();
  setWindowIcon(ResourceIcon(QStringLiteral(":/icons/sumvane-%1.png"), {16, 32, 48, 128, 256}));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  // Application-wide too, so that the menus, dialogs and tooltips, which are
  // windows of their own and do not inherit the window's font, use the same
  // face and no other face is ever loaded. The window itself was made before
  // this and keeps the font it was made with unless told.
  QApplication::setFont(WindowFont());
  setFont(WindowFont());

  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("client"));
  client->setFixedSize(Px(8175), Px(6480));
  setCentralWidget(client);

  BuildMenus();
  BuildToolbar(client);
  BuildMethodButtons(client);
  BuildTables(client);
  BuildList(client);
  BuildFourfoldTable(client);
  BuildEntryFrame(client);
  BuildPanels(client);

  // The menu shortcuts win over the editing keys of the boxes (Ctrl+Z deletes
  // the selected row, Ctrl+K exports), as everywhere else in the window.
  for (auto* box : findChildren<QLineEdit*>()) box->installEventFilter(this);
  for (auto* table : findChildren<QPlainTextEdit*>()) table->installEventFilter(this);

  SetTabOrder();
  setFixedSize(client->width(), client->height() + menuBar()->sizeHint().height());
  StartUp();
}

Form1::~Form1() = default;

void Form1::SetDialogs(std::unique_ptr<Dialogs> dialogs) { dialogs_ = std::move(dialogs); }

const SampleList& Form1::List() const { return model_->List(); }

std::optional<int> Form1::SelectedRow() const {
  const QModelIndexList rows = l1_->selectionModel()->selectedRows();
  if (rows.isEmpty()) return std::nullopt;
  return rows.first().row() + 1;
}

void Form1::BuildMenus() {
  auto makeAction = [this](const QString& name, const QString& caption, const QKeySequence& keys,
                           void (Form1::*command)()) {
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    action->setShortcut(keys);
    connect(action, &QAction::triggered, this, command);
    return action;
  };

  QMenu* file = menuBar()->addMenu(QStringLiteral("文件(F)"));
  file->setObjectName(QStringLiteral("文件"));
  auto* importAction = makeAction(QStringLiteral("导入"), QStringLiteral("导入"),
                                  QKeySequence(Qt::CTRL | Qt::Key_I), &Form1::ImportSampleList);
  auto* exportAction = makeAction(QStringLiteral("导出"), QStringLiteral("导出"),
                                  QKeySequence(Qt::CTRL | Qt::Key_K), &Form1::ExportSampleList);
  auto* exitAction = makeAction(QStringLiteral("退出"), QStringLiteral("退出"),
                                QKeySequence(Qt::CTRL | Qt::Key_G), &Form1::ExitProgram);
  // The desktop's icon theme where it has one, else the program's own pictures.
  auto toolbarIcon = [](const QString& themeName, const QString& picture) {
    return QIcon::fromTheme(
        themeName,
        ResourceIcon(QStringLiteral(":/icons/") + picture + QStringLiteral("-%1.png"), {16, 32}));
  };
  importAction->setIcon(toolbarIcon(QStringLiteral("document-open"), QStringLiteral("open")));
  exportAction->setIcon(toolbarIcon(QStringLiteral("document-save"), QStringLiteral("save")));
  exitAction->setIcon(toolbarIcon(QStringLiteral("application-exit"), QStringLiteral("exit")));
  file->addAction(importAction);
  file->addAction(exportAction);
  file->addSeparator()->setObjectName(QStringLiteral("dfh"));
  file->addAction(exitAction);

  QMenu* edit = menuBar()->addMenu(QStringLiteral("编辑(E)"));
  edit->setObjectName(QStringLiteral("编辑"));
  edit->addAction(makeAction(QStringLiteral("清空"), QStringLiteral("清空"),
                             QKeySequence(Qt::CTRL | Qt::Key_M), &Form1::ClearFromMenu));
  edit->addAction(makeAction(QStringLiteral("删除"), QStringLiteral("删除"),
                             QKeySequence(Qt::CTRL | Qt::Key_Z), &Form1::DeleteSelectedRow));

  QMenu* help = menuBar()->addMenu(QStringLiteral("帮助(H)"));
  help->setObjectName(QStringLiteral("帮助"));
  help->addAction(makeAction(QStringLiteral("操作说明"), QStringLiteral("帮助"),
                             QKeySequence(Qt::CTRL | Qt::Key_E), &Form1::OpenHelp));

  // The list's pop-up menu never stands on the menu bar; its shortcuts act
  // from anywhere in the window.
  popup_ = new QMenu(QStringLiteral("et"), this);
  popup_->setObjectName(QStringLiteral("et"));
  auto* clearList = makeAction(QStringLiteral("清空1"), QStringLiteral("清空"),
                               QKeySequence(Qt::CTRL | Qt::Key_J), &Form1::ClearList);
  auto* deleteRow = makeAction(QStringLiteral("删除1"), QStringLiteral("删除"),
                               QKeySequence(Qt::CTRL | Qt::Key_F), &Form1::DeleteSelectedRow);
  popup_->addAction(clearList);
  popup_->addAction(deleteRow);
  addAction(clearList);
  addAction(deleteRow);
}

void Form1::BuildToolbar(QWidget* client) {
  auto* frame1 = MakeFrame(client, QStringLiteral("Frame1"), QString(), 0, -50, 8165, 540);
  auto* toolbar = new QToolBar(frame1);
  toolbar->setObjectName(QStringLiteral("Toolbar1"));
  toolbar->setIconSize(QSize(16, 16));
  toolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  toolbar->setMovable(false);
  toolbar->setFloatable(false);
  toolbar->addAction(findChild<QAction*>(QStringLiteral("导入")));
  toolbar->addAction(findChild<QAction*>(QStringLiteral("导出")));
  toolbar->addSeparator();
  toolbar->addAction(findChild<QAction*>(QStringLiteral("退出")));
  PlaceTwips(toolbar, 75, 150, 7200, 330);
}

void Form1::BuildMethodButtons(QWidget* client) {
  auto* frame2 = MakeFrame(client, QStringLiteral("Frame2"), QString(), 0, 450, 2265, 2565);
  for (int i = 0; i < 5; ++i) {
    auto* button = new QPushButton(kMethodCaptions[i], frame2);
    button->setObjectName(Indexed("Command1", i));
    PlaceTwips(button, 150, 225 + 450 * i, 1965, 390);
    connect(button, &QPushButton::clicked, this, [this, i] { ChooseMethod(i); });
    command1_[i] = button;
  }
  auto* frame5 = MakeFrame(client, QStringLiteral("Frame5"), QString(), 0, 3000, 2235, 495);
  label12_ =
      MakeLabel(frame5, QStringLiteral("Label12"), kMethodCaptions[0], kBlue, 120, 220, 1995, 255);
  label12_->setAlignment(Qt::AlignCenter);
}

void Form1::BuildTables(QWidget* client) {
  static const QString tableFamily =
      FirstInstalled({QStringLiteral("宋体"), QStringLiteral("SimSun"),
                      QStringLiteral("Noto Sans Mono CJK SC"), QStringLiteral("Noto Sans CJK SC")});
  QFont tableFont(tableFamily);
  tableFont.setPointSizeF(9);
  auto makeTable = [&](const char* name, const QString& caption, const std::string& (*text)()) {
    auto* table = new ReferenceTable(client, text);
    table->setObjectName(QLatin1String(name));
    table->setAccessibleName(caption);
    table->setFont(tableFont);
    table->setReadOnly(true);
    table->setLineWrapMode(QPlainTextEdit::NoWrap);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Tab stops every eight columns, where the blank-padded header lines put them.
    table->setTabStopDistance(8 * QFontMetricsF(tableFont).horizontalAdvance(QLatin1Char('0')));
    SetColours(table, kTableText, kTableBack);
    PlaceTwips(table, 0, 3540, 2235, 2915);
    return table;
  };
  text14_ = makeTable("Text14", QStringLiteral("t界值表"), &TTableText);
  text16_ = makeTable("Text16", QStringLiteral("x2界值表"), &ChiSquareTableText);
  text17_ = makeTable("Text17", QStringLiteral("r界值表"), &RTableText);
  text16_->hide();
  text17_->hide();
}

void Form1::BuildList(QWidget* client) {
  model_ = new SampleListModel(this);
  l1_ = new QTreeView(client);
  l1_->setObjectName(QStringLiteral("L1"));
  l1_->setHeader(new ListHeader(l1_));
  l1_->setModel(model_);
  l1_->setRootIsDecorated(false);
  l1_->setItemsExpandable(false);
  l1_->setUniformRowHeights(true);
  l1_->setSelectionMode(QAbstractItemView::SingleSelection);
  l1_->setSelectionBehavior(QAbstractItemView::SelectRows);
  l1_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  l1_->setAllColumnsShowFocus(true);
  l1_->header()->setSectionResizeMode(QHeaderView::Stretch);
  l1_->header()->setSectionsMovable(false);
  l1_->setToolTip(QStringLiteral("选择后再选定组数在输入框内修改数据"));
  l1_->setAccessibleName(QStringLiteral("样本数据列表"));
  PlaceTwips(l1_, 2280, 525, 5885, 3165);
  l1_->viewport()->installEventFilter(this);
  l1_->installEventFilter(this);

  connect(l1_, &QTreeView::clicked, this, &Form1::RowClicked);
  connect(l1_, &QTreeView::activated, this, &Form1::RowClicked);
}

void Form1::BuildFourfoldTable(QWidget* client) {
  picture3_ = new FourfoldTable(client);
  picture3_->setObjectName(QStringLiteral("Picture3"));
  picture3_->setAccessibleName(QStringLiteral("四格表"));
  PlaceTwips(picture3_, 2300, 540, 5875, 3135);

  label16_ = MakeLabel(picture3_, QStringLiteral("Label16"), kMethodCaptions[3], Qt::black, 2100,
                       240, 1635, 255, 9, true);
  struct Caption {
    const char* text;
    int left, top, width;
  };
  const Caption captions[7] = {{"组  别", 420, 840, 555},
                               {"结     果", 2400, 600, 915},
                               {"（+）           （-）", 1980, 960, 2355},
                               {"试验组", 420, 1500, 555},
                               {"对照组", 420, 2040, 615},
                               {"合  计", 420, 2520, 555},
                               {"合计", 5040, 840, 435}};
  for (int i = 0; i < 7; ++i) {
    const Caption& c = captions[i];
    label17_[i] = MakeLabel(picture3_, Indexed("Label17", i), QString::fromUtf8(c.text), Qt::black,
                            c.left, c.top, c.width, 255);
  }
  const int cellLeft[4] = {1560, 3060, 1560, 3060};
  const int cellTop[4] = {1440, 1440, 1980, 1980};
  for (int i = 0; i < 4; ++i) {
    text11_[i] = MakeBox(picture3_, Indexed("Text11", i), cellLeft[i], cellTop[i], 1275, 330,
                         {kBlue, Qt::white, true});
    text11_[i]->setAccessibleName(QStringLiteral("实际频数 ") + QChar(u'a' + i));
    connect(text11_[i], &QLineEdit::textChanged, this, &Form1::RecalculateFourfold);
  }
  const int totalLeft[5] = {1440, 2940, 4680, 4680, 4680};
  const int totalTop[5] = {2520, 2520, 1440, 1980, 2460};
  const int totalWidth[5] = {1515, 1515, 1095, 1095, 1095};
  const char* totalNames[5] = {"第1列合计 ", "第2列合计 ", "第1行合计 ", "第2行合计 ", "总计 "};
  for (int i = 0; i < 5; ++i) {
    label18_[i] = MakeLabel(picture3_, Indexed("Label18", i), QStringLiteral("0"), Qt::black,
                            totalLeft[i], totalTop[i], totalWidth[i], 255);
    label18_[i]->setAlignment(Qt::AlignCenter);
    label18_[i]->setProperty(kCaptionProperty, QString::fromUtf8(totalNames[i]));
    WriteLabel(label18_[i], QStringLiteral("0"));
  }
}

void Form1::BuildEntryFrame(QWidget* client) {
  auto* frame3 = MakeFrame(client, QStringLiteral("Frame3"), QStringLiteral("数据输入"), 2310, 3750,
                           5845, 765);
  option1_ = new QRadioButton(QStringLiteral("第1组"), frame3);
  option1_->setObjectName(QStringLiteral("Option1"));
  option1_->setChecked(true);
  PlaceTwips(option1_, 75, 375, 765, 180);
  option2_ = new QRadioButton(QStringLiteral("第2组"), frame3);
  option2_->setObjectName(QStringLiteral("Option2"));
  PlaceTwips(option2_, 900, 375, 765, 180);
  // The buttons are a little taller than designed so that their captions are
  // not cut; they keep their places.
  for (auto* option : {option1_, option2_}) option->resize(option->width(), Px(270));
  option1_->move(option1_->x(), Px(330));
  option2_->move(option2_->x(), Px(330));

  MakeLabel(frame3, QStringLiteral("Label1"), QStringLiteral("序号"), Qt::black, 1800, 375, 465,
            240);
  text2_ =
      MakeBox(frame3, QStringLiteral("Text2"), 2250, 300, 540, 300, {Qt::black, Qt::white, true});
  text2_->setText(QStringLiteral("1"));
  MakeLabel(frame3, QStringLiteral("Label2"), QStringLiteral("数据"), Qt::black, 2925, 375, 465,
            240);
  text1_ = MakeBox(frame3, QStringLiteral("Text1"), 3375, 300, 1065, 300,
                   {Qt::black, Qt::white, true}, 10);
  text1_->setToolTip(QStringLiteral("按回车键输入数据"));
  text1_->setAccessibleName(QStringLiteral("数据"));
  text2_->setAccessibleName(QStringLiteral("序号"));
  command2_ = new QPushButton(QStringLiteral("计算"), frame3);
  command2_->setObjectName(QStringLiteral("Command2"));
  PlaceTwips(command2_, 4575, 300, 1140, 315);

  connect(command2_, &QPushButton::clicked, this, &Form1::Calculate);
  connect(text2_, &QLineEdit::textChanged, this, &Form1::CapRowNumber);
  connect(option1_, &QRadioButton::clicked, this, [this] { GroupChosen(1); });
  connect(option2_, &QRadioButton::clicked, this, [this] { GroupChosen(2); });
}

void Form1::BuildPanels(QWidget* client) {
  auto* picture2 = new QWidget(client);
  picture2->setObjectName(QStringLiteral("Picture2"));
  picture2->setAutoFillBackground(true);
  SetColours(picture2, kCaption, kPanelBack);
  PlaceTwips(picture2, 2290, 4575, 5865, 1890);
  for (int i = 0; i < 4; ++i) {
    frame4_[i] = MakePanel(picture2, Indexed("Frame4", i), i == 0 ? 75 : 60, 0);
  }
  frame4_[4] = MakePanel(client, Indexed("Frame4", 4), 2400, 4620);
  BuildTwoSamplePanel(frame4_[0]);
  BuildPairedPanel(frame4_[1]);
  BuildRegressionPanel(frame4_[2]);
  BuildFourfoldPanel(frame4_[3]);
  BuildPairedChiSquarePanel(frame4_[4]);
}

void Form1::BuildTwoSamplePanel(QWidget* panel) {
  const BoxStyle input{kRed, kPanelBack, false, true};
  const BoxStyle result{Qt::white, kPanelBack};
  struct Row {
    const char* label;
    int labelIndex;
    const char* caption;
    int labelLeft, labelTop;
    int box, left, top, width;
  };
  const Row rows[6] = {{"Label3", 0, "均  数(X1)=", 150, 225, 0, 1200, 240, 1290},
                       {"Label4", 0, "标准差(S1)=", 150, 450, 2, 1200, 450, 1290},
                       {"Label5", 0, "例  数(N1)=", 150, 675, 4, 1200, 675, 1365},
                       {"Label3", 1, "均  数(X2)=", 3105, 240, 1, 4200, 225, 1290},
                       {"Label4", 1, "标准差(S2)=", 3105, 465, 3, 4200, 480, 1290},
                       {"Label5", 1, "例  数(N2)=", 3105, 690, 5, 4200, 675, 1290}};
  for (const Row& r : rows) {
    MakeLabel(panel, Indexed(r.label, r.labelIndex), QString::fromUtf8(r.caption), kCaption,
              r.labelLeft, r.labelTop);
  }
  MakeLabel(panel, QStringLiteral("Label6(0)"),
            QStringLiteral("自由度(N1+N2-2)=") + QString(17, QLatin1Char(' ')), kCaption, 150, 900);
  MakeLabel(panel, QStringLiteral("Label10(0)"), QStringLiteral("t="), kRed, 120, 1200, 675, 360,
            18);
  for (const Row& r : rows) {
    text3_[r.box] = MakeBox(panel, Indexed("Text3", r.box), r.left, r.top, r.width, 195, input, 6);
    text3_[r.box]->setAccessibleName(QString::fromUtf8(r.caption));
  }
  text3_[6] = MakeBox(panel, QStringLiteral("Text3(6)"), 1650, 900, 765, 195, result, 6, true);
  text3_[9] = MakeBox(panel, QStringLiteral("Text3(9)"), 540, 1280, 1290, 300, result, 6, true, 12);
  text3_[6]->setAccessibleName(QStringLiteral("自由度(N1+N2-2)="));
  text3_[9]->setAccessibleName(QStringLiteral("t="));
  for (int i = 0; i <= 5; ++i) {
    connect(text3_[i], &QLineEdit::textChanged, this, [this, i] { RecalculateTwoSample(i); });
  }
}

void Form1::BuildPairedPanel(QWidget* panel) {
  const BoxStyle input{kRed, kPanelBack, false, true};
  MakeLabel(panel, QStringLiteral("Label13(0)"), QStringLiteral("对子数(N)="), kCaption, 240, 420);
  MakeLabel(panel, QStringLiteral("Label13(1)"), QStringLiteral("对子差值均数(d)="), kCaption, 240,
            780);
  MakeLabel(panel, QStringLiteral("Label13(2)"), QStringLiteral("对子差值均数标准差(Sd)="),
            kCaption, 240, 1140);
  MakeLabel(panel, QStringLiteral("Label14"), QStringLiteral("t="), kRed, 3780, 720, 495, 315, 18);
  text5_[0] = MakeBox(panel, QStringLiteral("Text5(0)"), 1260, 420, 1095, 270, input, 6);
  text5_[1] = MakeBox(panel, QStringLiteral("Text5(1)"), 1800, 780, 1095, 270, input, 6);
  text5_[2] = MakeBox(panel, QStringLiteral("Text5(2)"), 2400, 1140, 1095, 270, input, 6);
  text5_[3] = MakeBox(panel, QStringLiteral("Text5(3)"), 360, 1380, 1095, 270, input, 6);
  text5_[3]->hide();
  text5_[0]->setAccessibleName(QStringLiteral("对子数(N)="));
  text5_[1]->setAccessibleName(QStringLiteral("对子差值均数(d)="));
  text5_[2]->setAccessibleName(QStringLiteral("对子差值均数标准差(Sd)="));
  text5_[3]->setAccessibleName(QStringLiteral("标准误"));
  text6_ = MakeBox(panel, QStringLiteral("Text6"), 4200, 780, 1095, 315, {Qt::white, kPanelBack}, 6,
                   false, 14.25);
  text6_->setAccessibleName(QStringLiteral("t="));
  for (auto* box : text5_) connect(box, &QLineEdit::textChanged, this, &Form1::RecalculatePaired);
}

void Form1::BuildRegressionPanel(QWidget* panel) {
  const BoxStyle result{Qt::white, kPanelBack};
  MakeLabel(panel, QStringLiteral("Label11"), QStringLiteral("例数(n) ="), kRed, 540, 360, -1, -1,
            10.5);
  MakeLabel(panel, QStringLiteral("Label8"), QStringLiteral("r ="), kRed, 540, 720, -1, -1, 18);
  MakeLabel(panel, QStringLiteral("Label7"), QStringLiteral("t ="), kRed, 3360, 720, -1, -1, 18);
  MakeLabel(panel, QStringLiteral("Label9"), QStringLiteral("r"), kRed, 3540, 840, -1, -1, 10.5);
  MakeLabel(panel, QStringLiteral("Label15"), QStringLiteral("回归方程(Y):"), kRed, 540, 1320, -1,
            -1, 10.5);
  const BoxStyle typed{Qt::white, kPanelBack, false, true};
  text9_ =
      MakeBox(panel, QStringLiteral("Text9"), 1620, 360, 1035, 315, typed, 32767, false, 14.25);
  text8_ =
      MakeBox(panel, QStringLiteral("Text8"), 1260, 780, 1275, 315, typed, 32767, false, 14.25);
  text7_ =
      MakeBox(panel, QStringLiteral("Text7"), 4020, 780, 1035, 315, result, 32767, true, 14.25);
  text10_ =
      MakeBox(panel, QStringLiteral("Text10"), 1980, 1290, 3555, 315, result, 32767, false, 12);
  text9_->setAccessibleName(QStringLiteral("例数(n) ="));
  text8_->setAccessibleName(QStringLiteral("r ="));
  text7_->setAccessibleName(QStringLiteral("tr ="));
  text10_->setAccessibleName(QStringLiteral("回归方程(Y):"));
  connect(text9_, &QLineEdit::textChanged, this, &Form1::RecalculateTOfR);
  connect(text8_, &QLineEdit::textChanged, this, &Form1::RecalculateTOfR);
}

void Form1::BuildFourfoldPanel(QWidget* panel) {
  MakeLabel(panel, QStringLiteral("Label19(0)"), QStringLiteral("例数(n)="), kCaption, 240, 240);
  label20_[0] =
      MakeLabel(panel, QStringLiteral("Label20(0)"), QString(), kRed, 1080, 240, 975, 195);
  label20_[0]->setProperty(kCaptionProperty, QStringLiteral("例数(n)="));
  const char* expected[4] = {
      "a 的理论数(T)=", "b 的理论数(T)=", "c 的理论数(T)=", "d 的理论数(T)="};
  for (int i = 1; i <= 4; ++i) {
    const int top = 240 + 300 * i;
    MakeLabel(panel, Indexed("Label19", i), QString::fromUtf8(expected[i - 1]), kCaption, 240, top);
    label20_[i] = MakeLabel(panel, Indexed("Label20", i), QString(), kRed, 1620, top, 720, 195);
    label20_[i]->setProperty(kCaptionProperty, QString::fromUtf8(expected[i - 1]));
  }
  MakeLabel(panel, QStringLiteral("Label19(5)"), QStringLiteral("当n<40或T<1时，不适合使用本法。"),
            kBlue, 2760, 1440, 2835, 195);
  MakeLabel(panel, QStringLiteral("Label23"), QStringLiteral("x ="), kRed, 3360, 660, -1, -1, 18);
  MakeLabel(panel, QStringLiteral("Label21"), QStringLiteral("2"), kRed, 3540, 660, -1, -1, 10.5);
  for (auto* label : label20_) WriteLabel(label, QString());
  text15_ = MakeBox(panel, QStringLiteral("Text15"), 4020, 720, 1035, 315, {Qt::white, kPanelBack},
                    6, false, 14.25);
  text15_->setAccessibleName(QStringLiteral("x2 ="));
}

void Form1::BuildPairedChiSquarePanel(QWidget* panel) {
  const BoxStyle result{Qt::white, kPanelBack};
  MakeLabel(panel, QStringLiteral("Label26"), QStringLiteral("n ="), kRed, 660, 660, -1, -1, 18);
  MakeLabel(panel, QStringLiteral("Label27"), QStringLiteral("x ="), kRed, 3360, 660, -1, -1, 18);
  MakeLabel(panel, QStringLiteral("Label28"), QStringLiteral("2"), kRed, 3540, 660, -1, -1, 10.5);
  text13_ = MakeBox(panel, QStringLiteral("Text13"), 1320, 720, 1035, 315, result, 6, true, 14.25);
  text12_ = MakeBox(panel, QStringLiteral("Text12"), 4020, 720, 1035, 315, result, 6, true, 14.25);
  text13_->setAccessibleName(QStringLiteral("n ="));
  text12_->setAccessibleName(QStringLiteral("x2 ="));
}

// Tab follows the reading order: the analysis buttons, the list or the cells,
// the entry controls, the result boxes, the reference table. Hidden controls
// drop out of the chain by themselves.
void Form1::SetTabOrder() {
  std::vector<QWidget*> chain(command1_.begin(), command1_.end());
  chain.push_back(l1_);
  chain.insert(chain.end(), text11_.begin(), text11_.end());
  chain.insert(chain.end(), {option1_, option2_, text2_, text1_, command2_});
  chain.insert(chain.end(), {text3_[0], text3_[1], text3_[2], text3_[3], text3_[4], text3_[5],
                             text3_[6], text3_[9]});
  chain.insert(chain.end(), {text5_[0], text5_[1], text5_[2], text6_});
  chain.insert(chain.end(), {text9_, text8_, text7_, text10_, text15_, text13_, text12_});
  chain.insert(chain.end(), {text14_, text16_, text17_});
  for (std::size_t i = 1; i < chain.size(); ++i) setTabOrder(chain[i - 1], chain[i]);
}

void Form1::StartUp() {
  for (auto* panel : frame4_) panel->hide();
  frame4_[0]->show();
  current_method_ = 0;
  picture3_->hide();
  l1_->show();
}

// ---------------------------------------------------------------------------
// Choosing the analysis

void Form1::ChooseMethod(int method) {
  if (method < 0 || method > 4) return;
  text2_->setText(QStringLiteral("1"));
  model_->Clear();
  for (auto* panel : frame4_) panel->hide();
  frame4_[method]->show();
  label12_->setText(command1_[method]->text());
  current_method_ = static_cast<std::int16_t>(method);

  const bool tableMode = method >= 3;
  text14_->setVisible(method <= 1);
  text16_->setVisible(tableMode);
  text17_->setVisible(method == 2);
  for (QWidget* entry : std::initializer_list<QWidget*>{option1_, option2_, text1_, text2_}) {
    entry->setEnabled(!tableMode);
  }
  l1_->setVisible(!tableMode);
  picture3_->setVisible(tableMode);
  if (!tableMode) return;

  const bool paired = method == 4;
  label17_[0]->setText(paired ? QStringLiteral("治疗后") : QStringLiteral("组  别"));
  label17_[1]->setText(paired ? QStringLiteral("  治疗前  ") : QStringLiteral("结     果"));
  label17_[3]->setText(paired ? QStringLiteral("（+）") : QStringLiteral("试验组"));
  label17_[4]->setText(paired ? QStringLiteral("（-）") : QStringLiteral("对照组"));
  label16_->setText(kMethodCaptions[method]);
  EmptyFourfoldTable();
}

// Empties the cells one after the other; each emptying recalculates, and the
// emptying of its total that follows overwrites what that recalculation wrote.
void Form1::EmptyFourfoldTable() {
  for (int i = 0; i < 4; ++i) {
    text11_[i]->setText(QString());
    WriteLabel(label18_[i], QString());
  }
  WriteLabel(label18_[4], QString());
  text11_[0]->setFocus();
}

// ---------------------------------------------------------------------------
// Panel recalculations

void Form1::RecalculateTwoSample(int index) {
  if (index > 5) return;
  WriteBox(text3_[6], TwoSampleDegrees(S(text3_[4]->text()), S(text3_[5]->text())));
  const std::array<std::string, 7> texts = {
      S(text3_[0]->text()), S(text3_[1]->text()), S(text3_[2]->text()), S(text3_[3]->text()),
      S(text3_[4]->text()), S(text3_[5]->text()), S(text3_[6]->text())};
  WriteBox(text3_[9],
           TwoSampleT({texts[0], texts[1], texts[2], texts[3], texts[4], texts[5], texts[6]}));
}

void Form1::RecalculatePaired() {
  WriteBox(text5_[3], PairedStandardError(S(text5_[0]->text()), S(text5_[2]->text())));
  WriteBox(text6_, PairedT(S(text5_[1]->text()), S(text5_[3]->text())));
}

void Form1::RecalculateTOfR() { WriteBox(text7_, TOfR(S(text8_->text()), S(text9_->text()))); }

void Form1::RecalculateFourfold() {
  const std::array<std::string, 4> texts = {S(text11_[0]->text()), S(text11_[1]->text()),
                                            S(text11_[2]->text()), S(text11_[3]->text())};
  const FourfoldCells cells{texts[0], texts[1], texts[2], texts[3]};
  const FourfoldMargins margins = TableMargins(cells);
  for (int i = 0; i < 4; ++i) WriteLabel(label18_[i], Q(margins.margins[i]));
  WriteLabel(label18_[4], Q(margins.total));
  if (current_method_ == 3) {
    const FourfoldChiSquare result = ChiSquareOfTable(cells);
    WriteLabel(label20_[0], Q(ClipText(result.n, 6)));
    for (int i = 0; i < 4; ++i) WriteLabel(label20_[i + 1], Q(ClipText(result.expected[i], 6)));
    WriteBox(text15_, result.chiSquare);
  }
  if (current_method_ == 4) {
    const PairedChiSquare result = PairedChiSquareOfTable(cells);
    WriteBox(text13_, result.n);
    WriteBox(text12_, result.chiSquare);
  }
}

// ---------------------------------------------------------------------------
// Summary figures from the list

void Form1::WriteTwoSampleGroup(int group) {
  const int n = List().FilledCount(group);
  (group == 1 ? last_n1_ : last_n2_) = static_cast<std::int16_t>(n);
  const GroupSummary summary = SummariseGroup(List().ColumnValues(group, n));
  const int first = group == 1 ? 0 : 1;  // mean, sd and size alternate between the groups
  WriteBox(text3_[first], summary.mean);
  WriteBox(text3_[first + 2], summary.sd);
  WriteBox(text3_[first + 4], NumberText(n));
}

void Form1::WriteTwoSampleDegrees() { WriteBox(text3_[6], NumberText(last_n1_ + last_n2_ - 2)); }

void Form1::CalculatePaired() {
  const int n1 = List().FilledCount(1);
  const int n2 = List().FilledCount(2);
  last_n1_ = static_cast<std::int16_t>(n1);
  last_n2_ = static_cast<std::int16_t>(n2);
  if (n1 != n2) {
    for (QLineEdit* box : {text5_[1], text5_[2], text5_[3], text5_[0], text6_}) box->clear();
    return;
  }
  const PairedSummary summary =
      SummarisePairs(List().ColumnValues(1, n1), List().ColumnValues(2, n2));
  WriteBox(text5_[0], summary.n);
  WriteBox(text5_[1], summary.meanDifference);
  WriteBox(text5_[2], summary.sdDifference);
}

void Form1::CalculateRegression() {
  const int n1 = List().FilledCount(1);
  const int n2 = List().FilledCount(2);
  last_n1_ = static_cast<std::int16_t>(n1);
  last_n2_ = static_cast<std::int16_t>(n2);
  if (n1 != n2) {
    for (QLineEdit* box : {text7_, text8_, text9_, text10_}) box->clear();
    return;
  }
  const RegressionResult result = Regress(List().ColumnValues(1, n1), List().ColumnValues(2, n2));
  WriteBox(text9_, result.n);
  WriteBox(text8_, result.r);
  WriteBox(text10_, result.equation);
}

void Form1::Calculate() { ComputeFromList(std::nullopt); }

// Turns the list into the current panel's figures. After an entry the
// two-sample test computes only the group entered, and table mode, whose
// entry controls are disabled, has nothing to recompute.
void Form1::ComputeFromList(std::optional<int> enteredGroup) {
  switch (current_method_) {
    case 0:
      if (enteredGroup) {
        WriteTwoSampleGroup(*enteredGroup);
      } else {
        WriteTwoSampleGroup(1);
        WriteTwoSampleGroup(2);
      }
      WriteTwoSampleDegrees();
      break;
    case 1:
      CalculatePaired();
      break;
    case 2:
      CalculateRegression();
      break;
    default:
      if (!enteredGroup) RecalculateFourfold();
      break;
  }
}

// ---------------------------------------------------------------------------
// Data entry

int Form1::CurrentGroup() const { return option1_->isChecked() ? 1 : 2; }

void Form1::EnterValue() {
  const std::string input = S(text1_->text());
  const std::string rowNumber = S(text2_->text());
  const double target = ReadNumber(rowNumber);
  const int group = CurrentGroup();
  if (target > List().Count()) {
    if (model_->AppendRow(rowNumber)) model_->SetCell(List().Count(), group, input);
  } else if (const auto position = RowPosition(target, List().Count())) {
    model_->SetCell(*position, group, input);
  }
  text2_->setText(Q(NumberText(target + 1)));
  text1_->clear();
  ComputeFromList(group);
}

// The row number never points past the first empty cell of the current group.
void Form1::CapRowNumber() {
  const int limit = List().FirstEmptyRow(CurrentGroup());
  if (ReadNumber(S(text2_->text())) > limit) text2_->setText(Q(NumberText(limit)));
  text2_->setCursorPosition(static_cast<int>(text2_->text().size()));
}

void Form1::RowNumberClicked() {
  text2_->setText(Q(NumberText(List().FirstEmptyRow(CurrentGroup()))));
}

void Form1::GroupChosen(int group) {
  text2_->setText(Q(NumberText(List().FirstEmptyRow(group))));
  if (const auto selected = SelectedRow()) {
    if (const auto cell = List().Cell(*selected, group)) text1_->setText(Q(std::string(*cell)));
  }
  text1_->setFocus();
}

// The row's position, not its label, goes into the row-number box, so that the
// next Enter overwrites the row that was clicked even where labels have gaps.
void Form1::RowClicked() {
  const auto selected = SelectedRow();
  if (!selected) return;
  if (const auto cell = List().Cell(*selected, CurrentGroup())) {
    text1_->setText(Q(std::string(*cell)));
  }
  text2_->setText(Q(NumberText(*selected)));
}

// ---------------------------------------------------------------------------
// Commands

void Form1::ClearFromMenu() {
  if (!l1_->isHidden()) {
    model_->Clear();
    return;
  }
  EmptyFourfoldTable();
}

void Form1::ClearList() { model_->Clear(); }

void Form1::DeleteSelectedRow() {
  const auto selected = SelectedRow();
  if (!selected) return;
  model_->RemoveRow(*selected);
  // The view moves its selection to the next row; the user chose none.
  l1_->selectionModel()->clearSelection();
}

void Form1::ImportSampleList() {
  const std::optional<QString> path = dialogs_->AskOpenFileName(this);
  if (!path || path->isEmpty()) return;
  if (auto rows = LoadSampleList(QFile::encodeName(*path).toStdString())) {
    model_->Assign(std::move(*rows));
  }
}

void Form1::ExportSampleList() {
  const std::optional<QString> path = dialogs_->AskSaveFileName(this);
  if (!path || path->isEmpty() || !SaveSampleList(List(), QFile::encodeName(*path).toStdString())) {
    dialogs_->ShowMessage(this, kSaveFailedMessage);
  }
}

void Form1::OpenHelp() {
  // Installed beside the program under share/, or copied next to it in a build.
  const QDir programDir(QCoreApplication::applicationDirPath());
  for (const QString& candidate :
       {QStringLiteral("../share/sumvane/help/index.html"), QStringLiteral("help/index.html")}) {
    const QString path = programDir.absoluteFilePath(candidate);
    if (QFileInfo::exists(path)) {
      dialogs_->OpenUrl(QUrl::fromLocalFile(QFileInfo(path).canonicalFilePath()));
      return;
    }
  }
}

void Form1::ExitProgram() {
  close();
  QCoreApplication::quit();
}

void Form1::closeEvent(QCloseEvent* event) { event->accept(); }

bool Form1::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::ShortcutOverride: {
      // Leave the window's own shortcuts to the window.
      const auto* key = static_cast<QKeyEvent*>(event);
      const QKeySequence pressed(key->keyCombination());
      for (const QAction* action : findChildren<QAction*>()) {
        if (!action->shortcut().isEmpty() && action->shortcut() == pressed) {
          event->ignore();
          return true;
        }
      }
      break;
    }
    case QEvent::KeyPress:
      if (const auto cell = std::find(text11_.begin(), text11_.end(), watched);
          cell != text11_.end()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
          // Enter moves on to the next cell, a after d, as a form is filled in.
          text11_[(cell - text11_.begin() + 1) % text11_.size()]->setFocus(Qt::TabFocusReason);
          return true;
        }
      }
      if (watched == text1_) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
          if (text1_->text().isEmpty()) {
            dialogs_->ShowMessage(this, kEmptyInputMessage);
            return false;
          }
          EnterValue();
          return true;
        }
      }
      break;
    case QEvent::MouseButtonRelease: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (watched == text2_ && mouse->button() == Qt::LeftButton && text2_->isEnabled()) {
        RowNumberClicked();
      } else if (watched == l1_->viewport() && mouse->button() == Qt::RightButton) {
        popup_->popup(mouse->globalPosition().toPoint());
        return true;
      }
      break;
    }
    case QEvent::ContextMenu:
      // The menu key opens the pop-up too; the mouse opens it on release.
      if (watched == l1_ || watched == l1_->viewport()) {
        const auto* menu = static_cast<QContextMenuEvent*>(event);
        if (menu->reason() == QContextMenuEvent::Keyboard) {
          popup_->popup(l1_->viewport()->mapToGlobal(QPoint(0, 0)));
        }
        return true;
      }
      break;
    default:
      break;
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace sumvane
