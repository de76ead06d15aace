#include "app/report_pictures.h"

#include <QHashFunctions>
#include <future>
#include <memory>

#include "app/panels/analysis_panel.h"
#include "pictures/data_picture.h"
#include "pictures/forest_picture.h"
#include "pictures/qq_picture.h"
#include "pictures/test_picture.h"

namespace sumvane {

ReportPictureSet::ReportPictureSet(std::function<const AnalysisPanel&()> panel,
                                   std::function<const SampleList&()> list)
    : panel_(std::move(panel)), list_(std::move(list)) {}

ReportPictureSet::Drawn ReportPictureSet::Named(DrawnPicture picture) {
  Drawn drawn{std::move(picture), QString()};
  const QImage& image = drawn.picture.image;
  if (!image.isNull()) {
    const std::size_t hash =
        qHashBits(image.constBits(), static_cast<std::size_t>(image.sizeInBytes()));
    drawn.name = QStringLiteral("picture:%1").arg(hash, 16, 16, QLatin1Char('0'));
  }
  return drawn;
}

void ReportPictureSet::Redraw() {
  const AnalysisPanel& panel = panel_();
  const PictureFacts facts = panel.Facts(panel.FollowsList() ? &list_() : nullptr);
  data_ = Named(Draw(DataPicture(facts.data)));
  test_ = Named(Draw(TestPicture(facts.test)));
  qq_.clear();
  for (const QqPictureFacts& qq : facts.qq) qq_.push_back(Named(Draw(QqPicture(qq))));
  forests_.clear();
  for (const ForestFacts& forest : facts.forests) {
    forests_.push_back(Named(Draw(ForestPicture(forest))));
  }
  drawnFor_ = &panel;
}

ReportContent ReportPictureSet::ShownReport() const {
  const AnalysisPanel& panel = panel_();
  const bool asksX0 = panel.Kind() == Analysis::kRegression;
  if (&panel != drawnFor_) return {panel.ReportHtml({}), {}, asksX0};
  std::string checks, effects;
  for (const Drawn& qq : qq_) checks += PictureHtml(qq.picture, qq.name);
  for (const Drawn& forest : forests_) effects += PictureHtml(forest.picture, forest.name);
  ReportContent content{panel.ReportHtml({PictureHtml(data_.picture, data_.name),
                                          PictureHtml(test_.picture, test_.name), checks, effects}),
                        {},
                        asksX0};
  std::vector<const Drawn*> drawn{&data_, &test_};
  for (const Drawn& qq : qq_) drawn.push_back(&qq);
  for (const Drawn& forest : forests_) drawn.push_back(&forest);
  for (const Drawn* one : drawn)
    if (!one->name.isEmpty()) content.images.push_back({one->name, one->picture.image});
  return content;
}

std::string ReportPictureSet::ReportHtml() const {
  const AnalysisPanel& panel = panel_();
  if (&panel != drawnFor_) return panel.ReportHtml({});
  // One picture's PNG is written while the other's is.
  std::future<std::string> data =
      std::async(std::launch::async, [this] { return PictureHtml(data_.picture); });
  std::string test = PictureHtml(test_.picture);
  std::string checks, effects;
  for (const Drawn& qq : qq_) checks += PictureHtml(qq.picture);
  for (const Drawn& forest : forests_) effects += PictureHtml(forest.picture);
  return panel.ReportHtml({data.get(), std::move(test), checks, effects});
}

ReportWindow* MakeReportWindow(QWidget* owner, std::function<const AnalysisPanel&()> panel,
                               std::function<const SampleList&()> list,
                               std::function<Dialogs&()> dialogs,
                               std::function<void(std::optional<double>)> predictAt) {
  auto pictures = std::make_shared<ReportPictureSet>(std::move(panel), std::move(list));
  return new ReportWindow(
      owner, [pictures] { return pictures->ShownReport(); },
      [pictures] { return pictures->ReportHtml(); }, std::move(dialogs),
      [pictures] { pictures->Redraw(); }, std::move(predictAt));
}

}  // namespace sumvane
