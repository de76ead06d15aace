#include "app/method_buttons.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "app/twips.h"
#include "app/widget_kit.h"

namespace sumvane {

MethodButtons::MethodButtons(QWidget* client) : QObject(client) {
  auto* frame2 = kit::MakeFrame(client, QStringLiteral("Frame2"), QString(), {0, 450, 2265, 2565});
  for (int i = 0; i < kAnalysisCount; ++i) {
    auto* button = new QPushButton(Caption(Analysis(i)), frame2);
    button->setObjectName(kit::Indexed("Command1", i));
    PlaceTwips(button, 150, 225 + 450 * i, 1965, 390);
    connect(button, &QPushButton::clicked, this, [this, i] { emit Chosen(i); });
    buttons_[i] = button;
  }
  auto* frame5 = kit::MakeFrame(client, QStringLiteral("Frame5"), QString(), {0, 3000, 2235, 495});
  chosenCaption_ = kit::MakeLabel(frame5, {.name = QStringLiteral("Label12"),
                                           .caption = Caption(Analysis::kTwoSample),
                                           .colour = kit::kBlue,
                                           .place = {120, 220, 1995, 255}});
  chosenCaption_->setAlignment(Qt::AlignCenter);
}

void MethodButtons::ShowChosen(Analysis analysis) {
  chosenCaption_->setText(buttons_[Number(analysis)]->text());
}

QWidgetList MethodButtons::TabChain() const { return {buttons_.begin(), buttons_.end()}; }

}  // namespace sumvane
