// Base fixture for tests that use the host: every test starts from an empty host.
#pragma once

#include <gtest/gtest.h>
#include <vantor/testing/HostTesting.h>

class HostFixture : public ::testing::Test {
 protected:
  void SetUp() override { vantor::testing::ResetHost(); }
  void TearDown() override { vantor::testing::ResetHost(); }
};
