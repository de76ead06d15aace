// The noncentral t distribution by Lenth's series (Applied Statistics
// algorithm AS 243, 1989), the method of R's pt(t, ν, δ): a sum of incomplete
// beta functions weighted by Poisson probabilities, each term from the last by
// a recurrence, so one call costs two special functions and a short loop.
//
// NoncentralT (noncentral_t.h) integrates instead and is accurate to about
// 1e-14 for any δ, but costs tens to hundreds of microseconds; a power curve
// and the search for a sample size need hundreds of values within a
// keystroke, and a power needs only absolute accuracy. The series stops when
// its error bound falls below 1e-12. As R does, it gives way to the normal
// approximation of Abramowitz and Stegun (26.7.10) where ν > 4·10⁵ or
// δ² > 2·ln 2·1021 (|δ| > 37.62), beyond which the first Poisson weight
// underflows.
#pragma once

namespace sumvane {

// P(T <= t) for T noncentral t with ν > 0 degrees of freedom and
// noncentrality δ; every argument finite. Absolute error below about 1e-12.
double NoncentralTSeriesCdf(double t, double degrees, double delta);

}  // namespace sumvane
