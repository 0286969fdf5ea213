#include <gtest/gtest.h>

#include "errors.h"

namespace tallyfin {
namespace {

struct BoxTextCase {
    const char *name;
    std::string message;
    std::string shown;
};

class ErrorBoxTextTest : public testing::TestWithParam<BoxTextCase> {};

TEST_P(ErrorBoxTextTest, AppendsFullStopAfterCharactersAboveIt)
{
    EXPECT_EQ(ErrorBoxText(GetParam().message), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Rule, ErrorBoxTextTest,
    testing::Values(
        BoxTextCase{"Letter", "Floating point overflow", "Floating point overflow."},
        BoxTextCase{"Quote", "'x' is not a valid floating point value", "'x' is not a valid floating point value."},
        BoxTextCase{"EndsInFullStop", "Disk full.", "Disk full."},
        BoxTextCase{"EndsInComma", "a,", "a,"},
        BoxTextCase{"EndsInQuote", "say 'x'", "say 'x'"},
        BoxTextCase{"EndsInSlash", "path/", "path/."},
        BoxTextCase{"EndsInSpace", "trailing ", "trailing "},
        BoxTextCase{"EndsInChinese", "没有权限", "没有权限."},
        BoxTextCase{"Empty", "", ""}),
    [](const auto &test) { return std::string(test.param.name); });

TEST(ErrorMessages, CarryTheExactTexts)
{
    EXPECT_EQ(EConvertError(" 1,000 ").message(), "' 1,000 ' is not a valid floating point value");
    EXPECT_EQ(EZeroDivide().message(), "Floating point division by zero");
    EXPECT_EQ(EInvalidOp().message(), "Invalid floating point operation");
    EXPECT_EQ(EOverflow().message(), "Floating point overflow");
    EXPECT_EQ(EFCreateError("/x/shot.bmp", "No such file or directory").message(),
              "Cannot create file \"/x/shot.bmp\". No such file or directory");
}

} // namespace
} // namespace tallyfin
