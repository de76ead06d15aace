#include "app/pictures/report_pictures.h"

#include <future>
#include <memory>

#include "app/panels/analysis_panel.h"
#include "app/pictures/data_picture.h"
#include "app/pictures/test_picture.h"
#include "app/report_window.h"

namespace sumvane {

ReportPictureSet::ReportPictureSet(std::function<const AnalysisPanel&()> panel,
                                   std::function<const SampleList&()> list)
    : panel_(std::move(panel)), list_(std::move(list)) {}

void ReportPictureSet::Redraw() {
  const AnalysisPanel& panel = panel_();
  const PictureFacts facts = panel.Facts(panel.FollowsList() ? &list_() : nullptr);
  // One picture's PNG is written while the other is drawn: the halves take
  // about as long each, and only the drawing is bound to this thread.
  const DrawnPicture data = Draw(DataPicture(facts.data));
  std::future<std::string> dataHtml =
      std::async(std::launch::async, [&data] { return PictureHtml(data); });
  test_ = PictureHtml(Draw(TestPicture(facts.test)));
  data_ = dataHtml.get();
  drawnFor_ = &panel;
}

std::string ReportPictureSet::ReportHtml() const {
  const AnalysisPanel& panel = panel_();
  if (&panel != drawnFor_) return panel.ReportHtml({});
  return panel.ReportHtml({data_, test_});
}

ReportWindow* MakeReportWindow(QWidget* owner, std::function<const AnalysisPanel&()> panel,
                               std::function<const SampleList&()> list,
                               std::function<Dialogs&()> dialogs) {
  auto pictures = std::make_shared<ReportPictureSet>(std::move(panel), std::move(list));
  return new ReportWindow(
      owner, [pictures] { return pictures->ReportHtml(); }, std::move(dialogs),
      [pictures] { pictures->Redraw(); });
}

}  // namespace sumvane
