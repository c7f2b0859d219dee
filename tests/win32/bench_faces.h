#pragma once
// The faces the test bench draws with. Every family the toolkit and its pages name must
// resolve to the face the bench provides for it (the prefix's fonts, or the program's
// own symbol face); a test program checks this before its first test, so a missing face
// shows as one clear line instead of a pixel assertion failing far away.
#include <span>
#include <string>

struct BenchFace {
  const wchar_t* family;  // as the program asks for it
  const wchar_t* face;    // the face it must be drawn with: the font's own family name
};

// The families the toolkit and its pages name, with the face each resolves to.
std::span<const BenchFace> BenchFaces();

// What is wrong with the faces, in one line naming each family that does not resolve
// as it should (empty when all do). Adds the program's own symbol face first, as the
// toolkit does.
std::string BenchFaceFault(std::span<const BenchFace> faces = BenchFaces());
