// Painting text needs a QGuiApplication; the drawing and PDF tests run on the offscreen platform.

#include "drawing/section_export.h"

#include <gtest/gtest.h>

namespace {

class GuiEnvironment : public ::testing::Environment {
public:
    void SetUp() override { clv::drawing::EnsureGuiApplication(); }
};

[[maybe_unused]] const ::testing::Environment* const kGui = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

} // namespace
