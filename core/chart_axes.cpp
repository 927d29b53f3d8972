#include "core/chart_axes.h"

#include <array>
#include <cmath>

#include "core/number_format.h"

namespace vorenta {

namespace {

constexpr std::array<TickSteps, 50> kSampleAxisSteps{{
    {0.1, 0.5},           {0.2, 1},             {0.25, 1},
    {0.4, 2},             {0.5, 2.5},           {1, 5},
    {2, 10},              {4, 20},              {5, 25},
    {10, 50},             {20, 100},            {25, 100},
    {40, 200},            {50, 250},            {100, 500},
    {200, 1000},          {250, 1000},          {400, 2000},
    {500, 2500},          {1000, 5000},         {2000, 10000},
    {2500, 10000},        {4000, 20000},        {5000, 25000},
    {10000, 50000},       {20000, 100000},      {25000, 100000},
    {40000, 200000},      {50000, 250000},      {100000, 500000},
    {200000, 1000000},    {250000, 1000000},    {400000, 2000000},
    {500000, 2500000},    {1000000, 5000000},   {2000000, 10000000},
    {2500000, 10000000},  {4000000, 20000000},  {5000000, 25000000},
    {10000000, 50000000}, {20000000, 100000000}, {25000000, 100000000},
    {40000000, 200000000}, {50000000, 250000000}, {100000000, 500000000},
    {200000000, 1000000000}, {250000000, 1000000000}, {400000000, 2000000000},
    {500000000, 2500000000}, {1000000000, 5000000000},
}};

constexpr std::array<TickSteps, 68> kValueAxisSteps{{
    {5e9, 2.5e10}, {2.5e9, 1e10}, {2e9, 1e10}, {1e9, 5e9},
    {5e8, 2.5e9},  {2.5e8, 1e9},  {2e8, 1e9},  {1e8, 5e8},
    {5e7, 2.5e8},  {2.5e7, 1e8},  {2e7, 1e8},  {1e7, 5e7},
    {5e6, 2.5e7},  {2.5e6, 1e7},  {2e6, 1e7},  {1e6, 5e6},
    {5e5, 2.5e6},  {2.5e5, 1e6},  {2e5, 1e6},  {1e5, 5e5},
    {5e4, 2.5e5},  {2.5e4, 1e5},  {2e4, 1e5},  {1e4, 5e4},
    {5e3, 2.5e4},  {2.5e3, 1e4},  {2e3, 1e4},  {1e3, 5e3},
    {5e2, 2.5e3},  {2.5e2, 1e3},  {2e2, 1e3},  {1e2, 5e2},
    {5e1, 2.5e2},  {2.5e1, 1e2},  {2e1, 1e2},  {1e1, 5e1},
    {5, 25},       {2.5, 10},     {2, 10},     {1, 5},
    {5e-1, 2.5},   {2.5e-1, 1},   {2e-1, 1},   {1e-1, 5e-1},
    {5e-2, 2.5e-1}, {2.5e-2, 1e-1}, {2e-2, 1e-1}, {1e-2, 5e-2},
    {5e-3, 2.5e-2}, {2.5e-3, 1e-2}, {2e-3, 1e-2}, {1e-3, 5e-3},
    {5e-4, 2.5e-3}, {2.5e-4, 1e-3}, {2e-4, 1e-3}, {1e-4, 5e-4},
    {5e-5, 2.5e-4}, {2.5e-5, 1e-4}, {2e-5, 1e-4}, {1e-5, 5e-5},
    {5e-6, 2.5e-5}, {2.5e-6, 1e-5}, {2e-6, 1e-5}, {1e-6, 5e-6},
    {5e-7, 2.5e-6}, {2.5e-7, 1e-6}, {2e-7, 1e-6}, {1e-7, 5e-7},
}};

}  // namespace

std::span<const TickSteps> SampleAxisSteps() { return kSampleAxisSteps; }

std::span<const TickSteps> ValueAxisSteps() { return kValueAxisSteps; }

TickSteps ChooseTickSteps(double span, int pixels, std::span<const TickSteps> table) {
  if (table.empty()) return {};
  const double target = span * 20 / (pixels < 1 ? 1 : pixels);
  std::size_t kept = 0;
  while (kept + 1 < table.size() &&
         std::fabs(table[kept + 1].grid - target) < std::fabs(table[kept].grid - target)) {
    ++kept;
  }
  return table[kept];
}

void FitRange(double& min, double& max) {
  if (max - min < 1e-15) {
    min -= 1;
    max += 1;
  }
}

std::string FormatAxisValue(double v) {
  const double magnitude = std::fabs(v);
  return FormatFloat((magnitude >= 1000 || magnitude <= 0.01) ? "0.###E+00" : "0.###", v);
}

std::string FormatAxisSample(double v) { return FormatFloat("0", v); }

}  // namespace vorenta
