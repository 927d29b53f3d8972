#include "spectrum/spectrum_methods.h"

#include <gtest/gtest.h>

#include "spectrum/ar_burg.h"
#include "spectrum/method_parameters.h"
#include "spectrum/periodogram.h"
#include "spectrum/subspace.h"

namespace vorenta {
namespace {

TEST(SpectrumMethodsTest, EveryListItemHasAnEngineCall) {
  for (std::string_view item : kMethodListItems) EXPECT_NE(SpectrumMethodRun(item), nullptr) << item;
}

TEST(SpectrumMethodsTest, NamesAndIndicesReachTheSameCall) {
  EXPECT_EQ(SpectrumMethodRun("periodogram"), &RunPeriodogram);
  EXPECT_EQ(SpectrumMethodRun(method_item::kArBurg), &RunArBurg);
  EXPECT_EQ(SpectrumMethodRun("Music"), &RunMusic);
  EXPECT_EQ(SpectrumMethodRun("EV"), &RunEv);
  EXPECT_EQ(SpectrumMethodRun("no such method"), nullptr);
}

TEST(SpectrumMethodsTest, IndexOutsideTheListActsLikeSimplex) {
  EXPECT_EQ(SpectrumMethodRun(-1), SpectrumMethodRun(method_item::kSimplex));
  EXPECT_EQ(SpectrumMethodRun(9), SpectrumMethodRun(method_item::kSimplex));
}

}  // namespace
}  // namespace vorenta
