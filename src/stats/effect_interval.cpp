#include "stats/effect_interval.h"

#include <boost/math/distributions/normal.hpp>

namespace sumvane {

double NormalQuantile975() {
  static const double u = boost::math::quantile(boost::math::normal_distribution<double>(), 0.975);
  return u;
}

}  // namespace sumvane
