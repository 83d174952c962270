#pragma once
// The base of every window test: a Qt application on the offscreen platform, fresh default
// window instances, and every platform service replaced by its fake.
#include "fake_mixer.h"
#include "fakes.h"
#include "virtual_clock.h"

#include <QPoint>
#include <gtest/gtest.h>

class QApplication;

namespace support {

QApplication& EnsureApp();

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    VirtualClock clock;
    MessageRecorder messages;
    FakeMedia media;
    ScriptedRandom random;
    PopupRecorder popups;
    QPoint cursor{0, 0};
    // Window tests never reach the machine's own mixer.
    mixer::FakeMixer mixers;
};

} // namespace support
