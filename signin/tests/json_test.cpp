// parseData / getValueByKey: what counts as found, moved-out values, bad documents.
#include <gtest/gtest.h>

#include <string>

#include "CCorvexOAuth2Globals.h"

// The same cases run in two programs: against the library, and with RapidJSON's
// assertions on. Their names tell them apart.
#ifdef CORVEX_JSON_ASSERTS_ON
#define JSON_LOOKUP_TEST JsonLookupAssertsOnTest
#else
#define JSON_LOOKUP_TEST JsonLookupTest
#endif

namespace {

int Lookup(CCorvexOAuth2Globals& json, const char* key, const char* parent, rapidjson::Value& value) {
  return json.getValueByKey(key, parent, value);
}

}  // namespace

TEST(JSON_LOOKUP_TEST, WhatCountsAsFound) {
  const struct {
    const char* json;
    int found;
    rapidjson::Type type;
  } cases[] = {
      {R"("tok")", 1, rapidjson::kStringType},
      {R"("")", 0, rapidjson::kStringType},
      {"0", 0, rapidjson::kNumberType},
      {"7200", 1, rapidjson::kNumberType},
      {"-5", 1, rapidjson::kNumberType},
      {"9223372036854775808", 1, rapidjson::kNumberType},  // 2^63: unsigned 64-bit
      {"1.5", 0, rapidjson::kNumberType},
      {"true", 0, rapidjson::kTrueType},
      {"null", 0, rapidjson::kNullType},
      {"{}", 0, rapidjson::kObjectType},
      {"[]", 0, rapidjson::kArrayType},
      {"[1]", 1, rapidjson::kArrayType},
      {R"({"a":1})", 1, rapidjson::kObjectType},
  };
  for (const auto& c : cases) {
    CCorvexOAuth2Globals json;
    ASSERT_EQ(json.parseData((std::string(R"({"other":2,"field":)") + c.json + "}").c_str()), 1) << c.json;
    rapidjson::Value value("stale");
    EXPECT_EQ(Lookup(json, "field", "", value), c.found) << c.json;
    EXPECT_EQ(value.GetType(), c.type) << c.json;
  }
}

TEST(JSON_LOOKUP_TEST, IntegersKeepTheirValue) {
  CCorvexOAuth2Globals json;
  ASSERT_EQ(json.parseData(R"({"expires_in":7200,"big":9223372036854775808})"), 1);
  rapidjson::Value value;
  ASSERT_EQ(Lookup(json, "expires_in", "", value), 1);
  EXPECT_EQ(value.GetInt(), 7200);
  ASSERT_EQ(Lookup(json, "big", "", value), 1);
  EXPECT_EQ(value.GetUint64(), 9223372036854775808ull);
}

TEST(JSON_LOOKUP_TEST, ParentObjectsAndMovedOutValues) {
  CCorvexOAuth2Globals json;
  ASSERT_EQ(json.parseData(R"({"access_token":"A","custom_attributes":{"federatedId":"KORU1","companyName":"Acme"},
                               "flat":"text","companyName":"top"})"),
            1);
  rapidjson::Value value;
  EXPECT_EQ(Lookup(json, "companyName", "custom_attributes", value), 1);
  EXPECT_STREQ(value.GetString(), "Acme");
  EXPECT_EQ(Lookup(json, "companyName", "", value), 1);
  EXPECT_STREQ(value.GetString(), "top");
  EXPECT_EQ(Lookup(json, "companyName", "flat", value), 0);  // parent is a string
  EXPECT_EQ(Lookup(json, "companyName", "missing", value), 0);
  EXPECT_EQ(Lookup(json, "missing", "", value), 0);
  EXPECT_TRUE(value.IsNull());
  EXPECT_EQ(Lookup(json, "", "", value), 0);
  EXPECT_EQ(Lookup(json, "access_token", "", value), 1);
  EXPECT_STREQ(value.GetString(), "A");
  EXPECT_EQ(Lookup(json, "access_token", "", value), 0);  // moved out: null now
  EXPECT_TRUE(value.IsNull());
  EXPECT_EQ(Lookup(json, "custom_attributes", "", value), 1);  // the object, one member left
  EXPECT_EQ(value.MemberCount(), 2u);
}

TEST(JSON_LOOKUP_TEST, BadTextsAndRootsFindNothing) {
  const char* const texts[] = {"",
                               "   ",
                               R"({"access_token":"A")",
                               R"({"access_token":"A"} x)",
                               R"({"access_token":"A"}{})",
                               R"(["access_token"])",
                               R"("access_token")",
                               "42"};
  for (const char* text : texts) {
    CCorvexOAuth2Globals json;
    ASSERT_EQ(json.parseData(R"({"access_token":"old"})"), 1);
    const bool wellFormed = text[0] == '[' || text[0] == '"' || text[0] == '4';
    EXPECT_EQ(json.parseData(text), wellFormed ? 1 : 0) << text;
    rapidjson::Value value;
    EXPECT_EQ(Lookup(json, "access_token", "", value), 0) << text;
    EXPECT_EQ(Lookup(json, "access_token", "parent", value), 0) << text;
    EXPECT_TRUE(value.IsNull()) << text;
  }
  CCorvexOAuth2Globals json;
  ASSERT_EQ(json.parseData(R"({"access_token":"old"})"), 1);
  EXPECT_EQ(json.parseData(nullptr), 0);
  rapidjson::Value value;
  EXPECT_EQ(Lookup(json, "access_token", "", value), 0);
}

TEST(JSON_LOOKUP_TEST, DeeplyNestedAnswersParseWithoutExhaustingTheStack) {
  const size_t depth = 500000;
  const std::string nested = std::string(depth, '[') + std::string(depth, ']');
  CCorvexOAuth2Globals json;
  ASSERT_EQ(json.parseData((R"({"deep":)" + nested + R"(,"access_token":"A"})").c_str()), 1);
  rapidjson::Value value;
  EXPECT_EQ(Lookup(json, "access_token", "", value), 1);
  EXPECT_EQ(json.parseData(std::string(depth, '[').c_str()), 0);  // cut short: refused, no crash
}

TEST(JSON_LOOKUP_TEST, MovedHolderKeepsItsDocument) {
  CCorvexOAuth2Globals first;
  ASSERT_EQ(first.parseData(R"({"id_token":"abc"})"), 1);
  CCorvexOAuth2Globals second(std::move(first));
  rapidjson::Value value;
  EXPECT_EQ(Lookup(first, "id_token", "", value), 0);
  CCorvexOAuth2Globals third;
  third = std::move(second);
  ASSERT_EQ(Lookup(third, "id_token", "", value), 1);
  EXPECT_STREQ(value.GetString(), "abc");
  EXPECT_EQ(first.parseData(R"({"id_token":"again"})"), 1);  // a moved-from holder parses anew
  EXPECT_EQ(Lookup(first, "id_token", "", value), 1);
}

#ifdef CORVEX_JSON_ASSERTS_ON
// Proves this build really checks: a member walk over a non-object asserts here.
TEST(JsonLookupDeathTest, RapidJsonAssertionsAreOn) {
  EXPECT_DEATH(
      {
        rapidjson::Value array(rapidjson::kArrayType);
        (void)array.MemberBegin();
      },
      "");
}
#endif
