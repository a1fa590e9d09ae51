#include "qarntash/reporting/schema_search.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "support/temporary_folder.h"

#if defined(_WIN32)
#  include <windows.h>
#else
#  include <sys/stat.h>
#  include <sys/types.h>
#endif

namespace {

using List = std::vector<std::string>;

std::string write_file(const test_support::TemporaryFolder& folder, const std::string& name,
                       const std::string& bytes) {
  const std::string path = (folder.path() / name).string();
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

std::string replace_all(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// The text without the white space that stands alone between two tags.
std::string without_space_between_tags(const std::string& text) {
  std::string compact;
  for (std::size_t at = 0; at < text.size(); ++at) {
    compact += text[at];
    if (text[at] != '>') continue;
    const std::size_t next = text.find_first_not_of(" \t\r\n", at + 1);
    if (next != std::string::npos && text[next] == '<') at = next - 1;
  }
  return compact;
}

std::string schema(const std::string& body, const std::string& prefix = "xsd") {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<" + prefix + ":schema xmlns:" + prefix +
         "=\"http://www.w3.org/2001/XMLSchema\">\n" + body + "</" + prefix + ":schema>\n";
}

std::string simple_element(const std::string& name, const std::string& facets) {
  return "  <xsd:element name=\"" + name + "\">\n    <xsd:simpleType>\n      <xsd:restriction base=\"xsd:string\">\n" +
         facets + "      </xsd:restriction>\n    </xsd:simpleType>\n  </xsd:element>\n";
}

std::string enumeration(const std::string& value, const std::string& inside = "") {
  if (inside.empty()) return "        <xsd:enumeration value=\"" + value + "\"/>\n";
  return "        <xsd:enumeration value=\"" + value + "\">\n" + inside + "        </xsd:enumeration>\n";
}

std::string described(const std::string& value, const std::string& documentation) {
  return enumeration(value, "<xsd:annotation><xsd:documentation>" + documentation +
                                "</xsd:documentation></xsd:annotation>\n");
}

// One schema with a case of each rule the search follows.
const std::string kRules = schema(
    simple_element("Three", enumeration("A") + enumeration("B") + enumeration("C")) +
    simple_element("Gender", described("M", "Male") + enumeration("F") + described("X", "") +
                                 described("P", "\n   Padded  text \n") + described("L", "&lt;Less&gt;") +
                                 enumeration("C", "<xsd:annotation><!-- why --><xsd:documentation>Commented"
                                                  "</xsd:documentation></xsd:annotation>\n") +
                                 enumeration("Q", "<xsd:annotation><xsd:appinfo>q</xsd:appinfo>"
                                                  "<xsd:documentation>Quarterly</xsd:documentation>"
                                                  "</xsd:annotation>\n")) +
    simple_element("NoEnumerations", "        <xsd:maxLength value=\"4\"/>\n") +
    simple_element("NoEnumerations", enumeration("Hidden")) +
    simple_element("Twice", enumeration("1") + enumeration("2")) +
    simple_element("Twice", enumeration("3")) +
    "  <xsd:element name=\"Container\"><xsd:complexType><xsd:sequence>\n" +
    simple_element("Deep", enumeration("D1")) + "  </xsd:sequence></xsd:complexType></xsd:element>\n" +
    simple_element("Deep", enumeration("D2")) +
    simple_element("Mixed", "        <xsd:pattern value=\"[A-Z]\"/>\n        <xsd:enumeration/>\n" +
                                enumeration("Kept") + "        <xsd:enumeration xmlns:xs=\"x\" xs:value=\"No\"/>\n") +
    "  <xsd:element name=\"OpensWithAnnotation\"><xsd:annotation/><xsd:simpleType><xsd:restriction>" +
    enumeration("Unseen") + "</xsd:restriction></xsd:simpleType></xsd:element>\n" +
    "  <xsd:element name=\"OpensWithComment\"><!-- c --><xsd:simpleType><xsd:restriction>" +
    enumeration("Unseen") + "</xsd:restriction></xsd:simpleType></xsd:element>\n");

struct Query {
  const char* element;
  bool annotations;
  List expected;
};

const Query kRuleQueries[] = {
    {"Three", false, {"A", "B", "C"}},
    {"Three", true, {"A", "B", "C"}},
    {"Gender", false, {"M", "F", "X", "P", "L", "C", "Q"}},
    {"Gender", true, {"Male", "F", "X", "Padded  text", "<Less>", "Commented", "Quarterly"}},
    {"NoEnumerations", false, {}},  // found first, so the later one of that name is not looked at
    {"Twice", true, {"1", "2"}},
    {"Deep", false, {"D1"}},  // document order reaches the nested one first
    {"Mixed", false, {"Kept"}},
    {"OpensWithAnnotation", false, {}},
    {"OpensWithComment", false, {}},
    {"three", false, {}},
    {"Missing", true, {}},
    {"", false, {}},
};

void expect_queries(XSDSearch& search, const std::string& layout) {
  for (const Query& query : kRuleQueries) {
    EXPECT_EQ(search.GetXSDEnumerationItemList(query.element, query.annotations), query.expected)
        << layout << ": " << query.element << (query.annotations ? " with annotations" : "");
  }
}

TEST(SchemaSearch, FollowsEachRuleWhateverTheWhiteSpaceBetweenTags) {
  test_support::TemporaryFolder folder;
  const std::string layouts[][2] = {
      {"pretty", kRules},
      {"crlf", replace_all(kRules, "\n", "\r\n")},
      {"compact", without_space_between_tags(kRules)},
  };
  for (const auto& layout : layouts) {
    XSDSearch search(write_file(folder, layout[0] + ".xsd", layout[1]));
    ASSERT_TRUE(search.isLoaded()) << layout[0];
    expect_queries(search, layout[0]);
  }
}

TEST(SchemaSearch, AnotherPrefixLoadsButListsNothing) {
  test_support::TemporaryFolder folder;
  const std::string body = replace_all(simple_element("Three", enumeration("A")), "xsd:", "xs:");
  XSDSearch search(write_file(folder, "xs.xsd", schema(body, "xs")));
  EXPECT_TRUE(search.isLoaded());
  EXPECT_EQ(search.GetXSDEnumerationItemList("Three", false), List{});
}

// The pound sign as a host program reads it: UTF-8 (C2 A3), but on Windows in the ANSI code page
// (A3 in the UK's 1252).
std::string host_pound() {
#if defined(_WIN32)
  char narrow[8] = {};
  const int length = WideCharToMultiByte(CP_ACP, 0, L"\u00A3", 1, narrow, sizeof narrow, nullptr, nullptr);
  return std::string(narrow, static_cast<std::size_t>(length > 0 ? length : 0));
#else
  return "\xC2\xA3";
#endif
}

TEST(SchemaSearch, TextComesBackInTheHostsEncodingWhateverTheFileEncoding) {
#if defined(_WIN32)
  if (GetACP() == 1252) {
    EXPECT_EQ(host_pound(), "\xA3");
  }
#endif
  // The pound sign is C2 A3 in UTF-8, A3 in ISO-8859-1 and A3 00 in UTF-16LE.
  const std::string utf8 = schema(simple_element("Pound", described("\xC2\xA3", "\xC2\xA3 sterling")));
  const std::string latin1 = replace_all(replace_all(utf8, "\xC2", ""), "UTF-8", "ISO-8859-1");
  std::string utf16 = "\xFF\xFE";  // little-endian, with its byte order mark
  for (char c : replace_all(latin1, "ISO-8859-1", "UTF-16")) {
    utf16 += c;
    utf16 += '\0';
  }
  const std::string encodings[][2] = {{"utf-8", utf8}, {"latin-1", latin1}, {"utf-16", utf16}};
  test_support::TemporaryFolder folder;
  for (const auto& encoding : encodings) {
    XSDSearch search(write_file(folder, encoding[0] + ".xsd", encoding[1]));
    EXPECT_EQ(search.GetXSDEnumerationItemList("Pound", false), List{host_pound()}) << encoding[0];
    EXPECT_EQ(search.GetXSDEnumerationItemList("Pound", true), List{host_pound() + " sterling"}) << encoding[0];
  }
}

TEST(SchemaSearch, CopiesShareTheSchemaAndOutliveTheOriginal) {
  test_support::TemporaryFolder folder;
  auto original = std::make_unique<XSDSearch>(write_file(folder, "rules.xsd", kRules));
  XSDSearch copy(*original);
  XSDSearch assigned(folder.string() + "/missing.xsd");
  EXPECT_FALSE(assigned.isLoaded());
  assigned = *original;
  original.reset();
  std::filesystem::remove_all(folder.path() / "rules.xsd");
  expect_queries(copy, "copy");
  expect_queries(assigned, "assigned");

  std::vector<std::thread> threads;
  for (int i = 0; i < 4; ++i) {
    threads.emplace_back([search = copy]() mutable {
      for (int round = 0; round < 50; ++round) expect_queries(search, "thread");
    });
  }
  for (std::thread& thread : threads) thread.join();
}

// A secret beside the schema, which no schema may bring into a list.
constexpr const char* kSecret = "SECRET-VALUE";

// Twelve levels of entities of ten references each: a trillion copies of "laugh" if expanded.
std::string entity_expansion_bomb() {
  std::string declarations = "<!DOCTYPE xsd:schema [<!ENTITY l0 \"laugh\">";
  for (int level = 1; level <= 12; ++level) {
    declarations += "<!ENTITY l" + std::to_string(level) + " \"";
    for (int i = 0; i < 10; ++i) declarations += "&l" + std::to_string(level - 1) + ";";
    declarations += "\">";
  }
  return declarations + "]>\n" + schema(simple_element("Three", enumeration("A", "<x>&l12;</x>") +
                                                                     described("B", "&l12;")));
}

// A schema of `depth` elements each inside the one before.
std::string deeply_nested(int depth) {
  std::string elements;
  for (int i = 0; i < depth; ++i) elements += "<xsd:element name=\"Three\">";
  for (int i = 0; i < depth; ++i) elements += "</xsd:element>";
  return schema(elements);
}

struct BadInput {
  const char* what;
  std::string bytes;
  bool may_load;  // well-formed, so it may load, but must list nothing it should not
};

TEST(SchemaSearch, BadSchemasLoadAsNotLoadedOrListNothingUnsafeAndPrintNothing) {
  test_support::TemporaryFolder folder;
  write_file(folder, "secret.txt", kSecret);
  write_file(folder, "secret.dtd", std::string("<!ENTITY s \"") + kSecret + "\">");
  const BadInput inputs[] = {
      {"empty file", "", false},
      {"not XML", "Gender: M, F\n", false},
      {"binary", std::string("\0\xff\xfe\x01<", 5), false},
      {"undecodable characters", "<?xml version=\"1.0\" encoding=\"ISO-2022-JP\"?><a>\xDF\xDF\xDF\xDF</a>", false},
      {"truncated", kRules.substr(0, kRules.size() / 2), false},
      {"end tag cut off", kRules.substr(0, kRules.size() - 8), false},
      {"two roots", kRules + kRules, false},
      {"nested too deep", deeply_nested(20000), false},
      {"undeclared prefix", "<xsd:schema>" + simple_element("Three", enumeration("A")) + "</xsd:schema>", false},
      {"external entity", "<!DOCTYPE xsd:schema [<!ENTITY s SYSTEM \"secret.txt\">]>\n" +
                              schema(simple_element("Three", described("V", "&s;"))), true},
      {"external document type", "<!DOCTYPE xsd:schema SYSTEM \"secret.dtd\">\n" +
                                     schema(simple_element("Three", described("V", "&s;"))), true},
      {"entity expansion", entity_expansion_bomb(), true},
  };
  testing::internal::CaptureStderr();
  for (const BadInput& input : inputs) {
    XSDSearch search(write_file(folder, "bad.xsd", input.bytes));
    if (!input.may_load) {
      EXPECT_FALSE(search.isLoaded()) << input.what;
    }
    for (bool annotations : {false, true}) {
      for (const std::string& entry : search.GetXSDEnumerationItemList("Three", annotations)) {
        EXPECT_EQ(entry.find(kSecret), std::string::npos) << input.what;
        EXPECT_LT(entry.size(), 10u) << input.what;
      }
    }
  }
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(SchemaSearch, PathsThatAreNotReadableSchemaFilesDoNotLoadAndDoNotWait) {
  test_support::TemporaryFolder folder;
  std::vector<std::string> paths = {folder.string() + "/missing.xsd", folder.string(), ""};
#if !defined(_WIN32)
  const std::string pipe = folder.string() + "/pipe.xsd";  // opening it to read would wait for a writer
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  paths.push_back(pipe);
  paths.push_back("/dev/zero");  // endless
#endif
  for (const std::string& path : paths) {
    XSDSearch search(path);
    EXPECT_FALSE(search.isLoaded()) << path;
    EXPECT_EQ(search.GetXSDEnumerationItemList("Three", false), List{}) << path;
  }
}

// ---- The published schemas (see the .source.md beside each) ----

// The path of a published schema, or "" when the test data is absent.
std::string published(const char* name) {
#if defined(QARNTASH_TESTDATA_DIR)
  const std::filesystem::path path = std::filesystem::path(QARNTASH_TESTDATA_DIR) / "xsd" / name;
  return std::filesystem::exists(path) ? path.string() : "";
#else
  (void)name;
  return "";
#endif
}

struct PublishedQuery {
  const char* file;
  const char* element;
  List values;
  List descriptions;
};

// Expected lists as the files read (see the .source.md beside each); the whole of every list was
// also checked once against an independent reading of the schemas.
const PublishedQuery kPublished[] = {
    {"RTI-FPS-2014-15.xsd", "Gender", {"M", "F"}, {"Male", "Female"}},
    {"RTI-FPS-2014-15.xsd", "StartDec", {"A", "B", "C"},
     {"This is my first job since 6th April", "This is my only job", "I have another job or pension"}},
    {"RTI-FPS-2014-15.xsd", "NIletter", {"A", "B", "C", "D", "E", "J", "L", "N", "O", "Q", "R", "T", "W", "X"},
     {"A", "B", "C", "D", "E", "J", "L", "N", "O", "Q", "R", "T", "W", "X"}},
    {"RTI-FPS-2014-15.xsd", "Keys", {}, {}},  // opens with an annotation before its type
    {"CT-2014-v1-991.xsd", "AcceptDeclaration", {"yes"},
     {"The information I have given on this form and the accompanying Supplementary pages is correct and "
      "complete to the best of my knowledge and belief."}},
    {"envelope-v2-0-HMRC.xsd", "Qualifier", {"request", "acknowledgement", "response", "poll", "error"},
     {"request", "acknowledgement", "response", "poll", "error"}},
};

TEST(PublishedSchemas, ListTheirPermittedValuesAndDescriptions) {
  for (const PublishedQuery& query : kPublished) {
    const std::string path = published(query.file);
    if (path.empty()) GTEST_SKIP() << "published schemas not found";
    XSDSearch search(path);
    ASSERT_TRUE(search.isLoaded()) << query.file;
    EXPECT_EQ(search.GetXSDEnumerationItemList(query.element, false), query.values) << query.element;
    EXPECT_EQ(search.GetXSDEnumerationItemList(query.element, true), query.descriptions) << query.element;
  }
}

}  // namespace
