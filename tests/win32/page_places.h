#pragma once
// The window table of a page: each control under its parent at its place.
#include <windows.h>

#include <initializer_list>

#include <gtest/gtest.h>

#include "core/text.h"
#include "toolkit/Control.h"

struct ControlPlace {
  TControl* control;
  TWinControl* parent;
  RECT bounds;  // right/bottom 0: the size is not fixed
};

inline void ExpectPlaces(std::initializer_list<ControlPlace> places) {
  for (const auto& p : places) {
    SCOPED_TRACE(corvan::ToUtf8(p.control->Name()));
    EXPECT_EQ(p.control->Parent(), p.parent);
    const RECT r = p.control->BoundsRect();
    EXPECT_EQ(r.left, p.bounds.left);
    EXPECT_EQ(r.top, p.bounds.top);
    if (p.bounds.right) {
      EXPECT_EQ(r.right, p.bounds.right);
      EXPECT_EQ(r.bottom, p.bounds.bottom);
    }
  }
}
