// The check of the bench's faces that every Wine test program runs first: a family that
// falls back to another face, or resolves to the wrong file, is named on one line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bench_faces.h"

TEST(BenchFaces, NamesEachFamilyThatDoesNotResolveToItsFace) {
  const struct Case {
    const char* what;
    std::vector<BenchFace> faces;
    std::vector<std::string> named;  // each must appear in the line; none: no fault
  } cases[] = {
      {"a substitute name resolves to its face", {{L"MS Shell Dlg", L"Tahoma"}}, {}},
      {"a missing family falls back", {{L"Corvan Nowhere", L"Corvan Nowhere"}},
       {"\"Corvan Nowhere\" is drawn with \"", "not \"Corvan Nowhere\""}},
      {"a replaced family is not the face it names",
       {{L"Times New Roman", L"Times New Roman"}},
       {"\"Times New Roman\" is drawn with \"Liberation Serif\", not \"Times New Roman\""}},
      {"every fault on one line",
       {{L"Corvan Nowhere", L"Corvan Nowhere"}, {L"MS Sans Serif", L"MS Sans Serif"}, {L"Courier New", L"Courier"}},
       {"\"Corvan Nowhere\"", "\"Courier New\" is drawn with \"Liberation Mono\", not \"Courier\""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string fault = BenchFaceFault(c.faces);
    if (c.named.empty()) {
      EXPECT_EQ(fault, "");
      continue;
    }
    for (const std::string& part : c.named) EXPECT_NE(fault.find(part), std::string::npos) << fault;
    EXPECT_EQ(fault.find("MS Sans Serif"), std::string::npos) << "a face that resolves is not named";
    EXPECT_EQ(fault.find('\n'), std::string::npos);
  }
}
