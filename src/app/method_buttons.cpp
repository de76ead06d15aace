#include "app/method_buttons.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "app/analyses.h"
#include "app/twips.h"
#include "app/widget_kit.h"

namespace sumvane {

MethodButtons::MethodButtons(QWidget* client) : QObject(client) {
  auto* frame2 = kit::MakeFrame(client, QStringLiteral("Frame2"), QString(), {0, 450, 2265, 2565});
  for (const AnalysisDescription& d : Analyses()) {
    const int i = Number(d.analysis);
    auto* button = new QPushButton(d.caption, frame2);
    button->setObjectName(kit::Indexed("Command1", i));
    PlaceTwips(button, 150, 225 + 450 * i, 1965, 390);
    connect(button, &QPushButton::clicked, this, [this, i] { emit Chosen(i); });
    buttons_[i] = button;
  }
  auto* frame5 = kit::MakeFrame(client, QStringLiteral("Frame5"), QString(), {0, 3000, 2235, 495});
  chosenCaption_ = kit::MakeLabel(frame5, {.name = QStringLiteral("Label12"),
                                           .caption = Analyses().front().caption,
                                           .colour = kit::kBlue,
                                           .place = {120, 220, 1995, 255}});
  chosenCaption_->setAlignment(Qt::AlignCenter);
}

void MethodButtons::ShowChosen(Analysis analysis) {
  chosenCaption_->setText(Describe(analysis).caption);
}

QWidgetList MethodButtons::TabChain() const { return {buttons_.begin(), buttons_.end()}; }

}  // namespace sumvane
