#include <gtest/gtest.h>

#include <optional>

#include "forms/runtime_error.h"
#include "settings/setting_text.h"

namespace {

using forms::ErrorNumber;

// What converting a text gives: a value, or the run-time error it raises.
template <class Value>
struct Conversion {
    const char* text;
    std::optional<Value> value;
    std::optional<ErrorNumber> error;
};

template <class Value, class Convert>
void expectConversions(const std::vector<Conversion<Value>>& cases, Convert convert) {
    for (const auto& k : cases) {
        SCOPED_TRACE(std::string("text \"") + k.text + "\"");
        try {
            const Value value = convert(k.text);
            EXPECT_EQ(std::optional<Value>(value), k.value);
        } catch (const forms::RuntimeError& error) {
            EXPECT_EQ(std::optional<ErrorNumber>(error.number()), k.error);
        }
    }
}

constexpr auto kMismatch = ErrorNumber::TypeMismatch;
constexpr auto kOverflow = ErrorNumber::Overflow;

TEST(SettingText, IntegersReadTheSavedFormAndTolerateBlanksAndPlus) {
    expectConversions<std::int16_t>(
        {
            {"0", 0, {}},
            {"1", 1, {}},
            {"-8", -8, {}},
            {"64", 64, {}},
            {"-32768", -32768, {}},
            {"32767", 32767, {}},
            {" 24 ", 24, {}},
            {"\t-8\t", -8, {}},
            {"+8", 8, {}},
            {"007", 7, {}},
            {"-0", 0, {}},
            {"", {}, kMismatch},
            {"   ", {}, kMismatch},
            {"x", {}, kMismatch},
            {"8x", {}, kMismatch},
            {"- 8", {}, kMismatch},
            {"8.5", {}, kMismatch},
            {"1e3", {}, kMismatch},
            {"--8", {}, kMismatch},
            {"True", {}, kMismatch},
            {"32768", {}, kOverflow},
            {"-32769", {}, kOverflow},
            {"99999999999999999999999", {}, kOverflow},
            {"-99999999999999999999999", {}, kOverflow},
        },
        settings::integerFromText);
}

TEST(SettingText, TruthValuesReadTheSavedWordsInAnyCaseAndNumbers) {
    expectConversions<bool>(
        {
            {"True", true, {}},
            {"False", false, {}},
            {"true", true, {}},
            {"FALSE", false, {}},
            {" True ", true, {}},
            {"0", false, {}},
            {"1", true, {}},
            {"-1", true, {}},
            {"2", true, {}},
            {"", {}, kMismatch},
            {"x", {}, kMismatch},
            {"Tru", {}, kMismatch},
            {"Yes", {}, kMismatch},
            {"True False", {}, kMismatch},
            {"70000", {}, kOverflow},
        },
        settings::truthFromText);
}

TEST(SettingText, SavedFormsAreExactAndReadBackToTheSameValue) {
    const std::pair<std::int16_t, const char*> integers[] = {
        {0, "0"},   {1, "1"},     {2, "2"},           {8, "8"},        {-8, "-8"},
        {64, "64"}, {-64, "-64"}, {-32768, "-32768"}, {32767, "32767"}};
    for (auto [value, text] : integers) {
        EXPECT_EQ(settings::integerText(value), text);
        EXPECT_EQ(settings::integerFromText(settings::integerText(value)), value);
    }
    EXPECT_EQ(settings::truthText(true), "True");
    EXPECT_EQ(settings::truthText(false), "False");
    EXPECT_TRUE(settings::truthFromText(settings::truthText(true)));
    EXPECT_FALSE(settings::truthFromText(settings::truthText(false)));
}

}  // namespace
