// The unit tests' common ground: the in-memory machine and an installed demo.
#pragma once

#include "fake_platform.h"

#include <gtest/gtest.h>

// A fresh machine with the demo installed in C:\DEMO and the launcher's
// state as the first probe left it.
inline void InstallDemo() {
    ResetFake();
    g_fake.key_exists = true;
    g_fake.values["Kora Pro Path"] = "C:\\DEMO";
    g_fake.values["Uninstall"] = "C:\\DEMO\\uninst.exe -fC:\\DEMO\\install.log";
    g_fake.AddDir("C:\\DEMO\\drivers");
    g_fake.AddFile("C:\\DEMO\\kora.exe");
    g_fake.AddFile("C:\\DEMO\\uninst.exe");
    ProbeInstallState();
}

class Installed : public ::testing::Test {
  protected:
    void SetUp() override { InstallDemo(); }

    const Steps &Journal() const { return g_fake.journal; }
};
