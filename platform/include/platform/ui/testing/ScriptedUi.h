// The scripted driver for GoogleTest tests: construct one in a test, script
// what the user meets, run the code. Failures (an unexpected or different
// interaction, and at the end any expected one that never happened) are test
// failures.
//
//   platform::ui::ScriptedUi ui;
//   ui.ExpectFileDialog().Open().Answer("/tmp/a.log");
//   ui.ExpectMessage("导入完成").Icon(MB_ICONINFORMATION);
//   RunTheCode();
#pragma once

#include <gtest/gtest.h>

#include "platform/ui/ScriptedDriver.h"

namespace platform::ui {

class ScriptedUi final : public ScriptedDriver {
public:
    ScriptedUi() : ScriptedDriver([](const CString& what) { ADD_FAILURE() << what.GetString(); }) {}
    ~ScriptedUi() override { VerifyDone(); }
};

}  // namespace platform::ui
