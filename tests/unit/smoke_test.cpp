#include "module_fixture.h"
#include "plugin/exports.h"

TEST_F(ModuleTest, SetNameAnswersThroughTheExportLayer) {
  EXPECT_STREQ(GetSetName(0), "KESTREL-RTTY (C)");
}
