#include <gtest/gtest.h>

#include "app/NumberText.h"

namespace app {
namespace {

TEST(SingleToText, ShowsAtMostSevenSignificantDigits) {
    const struct {
        float value;
        const char* text;
    } cases[] = {
        {0.0f, "0"},
        {0.5f, "0,5"},
        {0.015625f, "0,015625"},
        {1.0f, "1"},
        {12.25f, "12,25"},
        {0.1f, "0,1"},
        {1.0f / 3, "0,3333333"},
        {123456.7f, "123456,7"},
        {0.00001f, "1E-05"},
        {1.5e-5f, "1,5E-05"},
        {12345678.0f, "1,234568E+07"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(singleToText(c.value, ','), c.text) << "value " << c.value;
    }
    EXPECT_EQ(singleToText(0.25f, '.'), "0.25");
}

}  // namespace
}  // namespace app
