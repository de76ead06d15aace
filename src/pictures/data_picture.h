// The picture of the data: each group's values as dots (spread sideways where
// values repeat; a box plot past kMostDots values) with the mean and ±1 SD;
// the pair differences with their mean, its 95 % interval and zero; the
// scatter of the pairs with the least-squares line; the proportion positive
// in each row of a fourfold table, or by each measurement of a paired table;
// or, from summary figures alone, the means with ±1 SD.
//
// Series object names: "dots1", "dots2", "box1", "box2", "mean1", "mean2",
// "sd1", "sd2"; "differences", "mean", "interval", "zero"; "points", "fit";
// "proportions". The scatter's points are drawn by hand (Picture::dots).
#pragma once

#include "pictures/picture.h"
#include "stats/picture_facts.h"

namespace sumvane {

inline constexpr std::size_t kMostDots = 300;
// Past this, the scatter shows an even sample of the pairs, and says so.
inline constexpr std::size_t kMostScatterPoints = 2000;

Picture DataPicture(const DataFacts& facts);

// Parts of the data pictures, one file each.
Picture GroupsPicture(const DataFacts& facts);
Picture DifferencesPicture(const DataFacts& facts);
Picture SummaryMeansPicture(const DataFacts& facts);
Picture ScatterPicture(const DataFacts& facts);
Picture ProportionsPicture(const DataFacts& facts);
Picture PairedProportionsPicture(const DataFacts& facts);

}  // namespace sumvane
