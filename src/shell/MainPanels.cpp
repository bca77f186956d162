#include "shell/MainPanels.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QSplitter>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "bend/Bend.h"
#include "shell/Artwork.h"
#include "shell/Preferences.h"

namespace umbrinex {

namespace {

QTreeWidget* MakeTree(const QStringList& nodes)
{
  auto* tree = new QTreeWidget;
  tree->setHeaderHidden(true);
  tree->setRootIsDecorated(false);
  tree->setColumnCount(1);
  for (const QString& node : nodes) tree->addTopLevelItem(new QTreeWidgetItem(QStringList{node}));
  if (tree->topLevelItemCount() > 0) tree->setCurrentItem(tree->topLevelItem(0));
  return tree;
}

QWidget* Labelled(const QString& caption, QTreeWidget* tree, QTreeWidget* below = nullptr)
{
  auto* panel = new QWidget;
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setSpacing(2);
  auto* label = new QLabel(caption);
  label->setBuddy(tree);
  layout->addWidget(label);
  layout->addWidget(tree, 1);
  if (below) layout->addWidget(below);
  return panel;
}

}  // namespace

// ---- TTitlePanel ----

TTitlePanel::TTitlePanel(std::function<const TBend*()> model, std::function<int()> logoWidth, QWidget* parent)
    : QWidget(parent), FModel(std::move(model)), FLogoWidth(std::move(logoWidth))
{
  setFixedHeight(PanelHeight);
  setAutoFillBackground(true);
}

void TTitlePanel::paintEvent(QPaintEvent*)
{
  QPainter painter(this);
  const int logoArea = std::max(FLogoWidth ? FLogoWidth() : 0, 60);
  const QSize logo(66, 44);
  PaintLogo(painter,
            QRectF((logoArea - logo.width()) / 2.0, (height() - logo.height()) / 2.0, logo.width(), logo.height()));

  const TBend* bend = FModel ? FModel() : nullptr;
  const QString labels[] = {QStringLiteral("Project:  "), QStringLiteral("Client:  "), QStringLiteral("Designer:  ")};
  const QString values[] = {bend ? QString::fromStdString(bend->Project()) : QString(),
                            bend ? QString::fromStdString(bend->Client()) : QString(),
                            bend ? QString::fromStdString(bend->Designer()) : QString()};
  const QFontMetrics metrics = painter.fontMetrics();
  int column = 0;
  for (const QString& label : labels) column = std::max(column, metrics.horizontalAdvance(label));
  // Three lines with four equal gaps: above, between and below them.
  const int lineHeight = metrics.height();
  const double gap = std::max(0.0, (height() - 3.0 * lineHeight) / 4.0);
  const int left = logoArea + 8;
  painter.setPen(palette().color(QPalette::WindowText));
  for (int i = 0; i < 3; ++i) {
    const int top = static_cast<int>(gap * (i + 1) + lineHeight * i);
    painter.drawText(QRect(left, top, column, lineHeight), Qt::AlignLeft | Qt::AlignVCenter, labels[i]);
    painter.drawText(QRect(left + column, top, width() - left - column, lineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                     values[i]);
  }
}

// ---- TMainPanels ----

TMainPanels::TMainPanels(std::function<const TBend*()> model, QWidget* parent) : QWidget(parent)
{
  FMainSplitter = new QSplitter(Qt::Horizontal);
  FTitlePanel = new TTitlePanel(std::move(model), [this] { return FControlPanel ? FControlPanel->width() : 0; });

  FMainSplitter->addWidget(MakeControlPanel());
  FResultsPanel = new QStackedWidget;
  FCannotDisplay = new QLabel(QStringLiteral("Results cannot be displayed"));
  FCannotDisplay->setWordWrap(true);
  FCannotDisplay->setAlignment(Qt::AlignCenter);
  FResultsPanel->addWidget(FCannotDisplay);
  FMainSplitter->addWidget(FResultsPanel);
  FMainSplitter->setStretchFactor(0, 0);
  FMainSplitter->setStretchFactor(1, 1);
  FMainSplitter->setCollapsible(0, false);
  const int width = Preferences().TreeViewPanelWidth.CurrentValue();
  FMainSplitter->setSizes({width, std::max(1, 600 - width)});
  connect(FMainSplitter, &QSplitter::splitterMoved, FTitlePanel, qOverload<>(&QWidget::update));

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(FTitlePanel);
  layout->addWidget(FMainSplitter, 1);
}

QWidget* TMainPanels::MakeControlPanel()
{
  FDataTree = MakeTree({QStringLiteral("Project"), QStringLiteral("Cable"), QStringLiteral("Stiffener"),
                        QStringLiteral("Materials"), QStringLiteral("Load Cases"), QStringLiteral("Analysis"),
                        QStringLiteral("Drawing"), QStringLiteral("Mould")});
  FResultsTree = MakeTree({QStringLiteral("General Arrangement"), QStringLiteral("Diameter"),
                           QStringLiteral("Stiffness"), QStringLiteral("Design Chart"),
                           QStringLiteral("Performance Chart"), QStringLiteral("Performance Map")});
  FResultsTree->setMinimumHeight(110);
  FLoadCaseViewTree = MakeTree({QStringLiteral("Deflected Shape"), QStringLiteral("Deflection Chart"),
                                QStringLiteral("Curvature Chart"), QStringLiteral("Strain Chart")});
  FLoadCaseViewTree->setFixedHeight(71);
  // Shown only while a load case node is selected.
  FLoadCaseViewTree->hide();

  connect(FDataTree, &QTreeWidget::itemActivated, this,
          [this](QTreeWidgetItem* item) { emit DataNodeActivated(FDataTree->indexOfTopLevelItem(item)); });
  QWidget* dataPanel = Labelled(QStringLiteral("&Data:"), FDataTree);
  dataPanel->setMinimumHeight(40);
  FTreeSplitter = new QSplitter(Qt::Vertical);
  FTreeSplitter->addWidget(dataPanel);
  FTreeSplitter->addWidget(Labelled(QStringLiteral("Re&sults:"), FResultsTree, FLoadCaseViewTree));
  FTreeSplitter->setCollapsible(0, false);
  FTreeSplitter->setCollapsible(1, false);
  FTreeSplitter->setStretchFactor(1, 1);
  FTreeSplitter->setSizes({Preferences().DataTreeViewPanelHeight.CurrentValue(), 300});

  FControlPanel = FTreeSplitter;
  FControlPanel->setMinimumWidth(100);
  return FControlPanel;
}

void TMainPanels::showEvent(QShowEvent* event)
{
  FShown = true;
  QWidget::showEvent(event);
}

TMainPanels::~TMainPanels()
{
  if (!FShown) return;
  TProgramPreferences& p = Preferences();
  p.TreeViewPanelWidth.ChangeValue(FControlPanel->width());
  p.DataTreeViewPanelHeight.ChangeValue(FTreeSplitter->sizes().value(0, p.DataTreeViewPanelHeight.CurrentValue()));
}

void TMainPanels::SetTreesEnabled(bool enabled)
{
  if (!enabled) FFocusBeforeBusy = QApplication::focusWidget();
  for (QTreeWidget* tree : {FDataTree, FResultsTree, FLoadCaseViewTree}) tree->setEnabled(enabled);
  if (enabled && FFocusBeforeBusy && isAncestorOf(FFocusBeforeBusy)) FFocusBeforeBusy->setFocus();
}

// ---- TMainStatusBar ----

TMainStatusBar::TMainStatusBar(QWidget* parent) : QStatusBar(parent)
{
  const int widths[] = {300, 150, 50};
  for (int i = 0; i < 3; ++i) {
    FPanels[i] = new QLabel;
    FPanels[i]->setFixedWidth(widths[i]);
    FPanels[i]->setFrameShape(QFrame::StyledPanel);
    addWidget(FPanels[i]);
  }
  FPanels[1]->setAlignment(Qt::AlignCenter);
}

void TMainStatusBar::ProgressChanged(int percent)
{
  FPanels[0]->setText(QStringLiteral("%1% complete.  Press ESC to cancel").arg(percent));
}

void TMainStatusBar::ProgressStopped()
{
  FPanels[0]->clear();
}

}  // namespace umbrinex
