// A machine with the demo installed in C:\DEMO and the launcher's state as
// the first probe left it.
#pragma once

#include "fake_platform.h"
#include "launcher/install_state.h"

#include <gtest/gtest.h>
#include <string>

class Installed : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetFake();
        g_fake.key_exists = true;
        g_fake.values["Kora Pro Path"] = "C:\\DEMO";
        g_fake.values["Uninstall"] = "C:\\DEMO\\uninst.exe -fC:\\DEMO\\install.log";
        g_fake.AddDir("C:\\DEMO\\drivers");
        g_fake.AddFile("C:\\DEMO\\kora.exe");
        g_fake.AddFile("C:\\DEMO\\uninst.exe");
        ProbeInstallState();
    }

    const std::vector<std::string> &Journal() const { return g_fake.journal; }
};
