#include "form/window_placement.h"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>

namespace quorel::form {

void PrintTo(const PixelRect &rect, std::ostream *out) {
    *out << rect.left << ',' << rect.top << ' ' << rect.width << 'x' << rect.height;
}

namespace {

struct PlacementCase {
    const char *name;
    PixelRect frame;
    PixelRect available;
    PixelRect kept;
};

void PrintTo(const PlacementCase &c, std::ostream *out) {
    *out << c.name;
}

constexpr PixelRect screen{0, 0, 1024, 768};
constexpr int intMax = std::numeric_limits<int>::max();

const PlacementCase placementCases[] = {
    {"fits", {100, 100, 400, 300}, screen, {100, 100, 400, 300}},
    {"fillsTheScreenExactly", screen, screen, screen},
    {"touchesTheFarEdges", {624, 468, 400, 300}, screen, {624, 468, 400, 300}},
    {"offTheRight", {800, 100, 400, 300}, screen, {624, 100, 400, 300}},
    {"offTheBottom", {100, 600, 400, 300}, screen, {100, 468, 400, 300}},
    {"offBoth", {407, 300, 826, 612}, screen, {198, 156, 826, 612}},
    {"offTheLeftAndTop", {-50, -20, 400, 300}, screen, {0, 0, 400, 300}},
    {"widerThanTheScreen", {300, 100, 1200, 300}, screen, {0, 100, 1200, 300}},
    {"tallerThanTheScreen", {100, 300, 400, 900}, screen, {100, 0, 400, 900}},
    {"largerThanTheScreen", {500, 400, 1200, 900}, screen, {0, 0, 1200, 900}},
    {"largerThanASecondMonitor", {1200, 100, 1000, 700}, {1024, 0, 800, 600}, {1024, 0, 1000, 700}},
    {"offASecondMonitorOnTheRight",
     {2000, 800, 400, 300},
     {1024, 0, 1280, 1024},
     {1904, 724, 400, 300}},
    {"onAMonitorLeftOfThePrimary",
     {-300, 100, 400, 300},
     {-1280, 0, 1280, 1024},
     {-400, 100, 400, 300}},
    {"underATaskBarOnTheLeft", {10, 100, 400, 300}, {48, 0, 976, 768}, {48, 100, 400, 300}},
    {"underATaskBarOnTop", {100, 0, 400, 300}, {0, 30, 1024, 738}, {100, 30, 400, 300}},
    {"underATaskBarAtTheBottom", {100, 500, 400, 300}, {0, 0, 1024, 728}, {100, 428, 400, 300}},
    {"farBeyondTheRight", {intMax - 10, intMax - 10, 400, 300}, screen, {624, 468, 400, 300}},
    {"areaAtTheEndOfTheRange",
     {0, 0, 400, 300},
     {intMax - 1000, intMax - 1000, 1000, 1000},
     {intMax - 1000, intMax - 1000, 400, 300}},
};

class Placement : public testing::TestWithParam<PlacementCase> {};

TEST_P(Placement, KeepsTheWindowReachableWithoutResizingIt) {
    const PlacementCase &c = GetParam();
    EXPECT_EQ(keptOnScreen(c.frame, c.available), c.kept);
}

INSTANTIATE_TEST_SUITE_P(Form, Placement, testing::ValuesIn(placementCases),
                         [](const testing::TestParamInfo<PlacementCase> &info) {
                             return std::string(info.param.name);
                         });

} // namespace
} // namespace quorel::form
