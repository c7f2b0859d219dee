#pragma once
// Included by a test program that paints: the toolkit's shared values and pictures are
// set up once before its tests and freed after them.
#include <gtest/gtest.h>

#include "toolkit/GGlobals.h"

struct ToolkitGlobalsEnvironment : testing::Environment {
  void SetUp() override { InitGlobals(); }
  void TearDown() override { FreeGlobals(); }
};
inline testing::Environment* const toolkitGlobals = testing::AddGlobalTestEnvironment(new ToolkitGlobalsEnvironment);
