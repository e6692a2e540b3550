#pragma once

#include <gtest/gtest.h>

#include <QStringList>
#include <QTemporaryDir>
#include <memory>

#include "dzapp.h"
#include "test_print.h"

// A host application whose home (settings file, log file) is a fresh temporary folder.
class AppHomeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(_home.isValid());
        DzAppOptions options;
        options.homeDir = _home.path();
        _app = std::make_unique<DzApp>(options);
    }

    void TearDown() override { _app.reset(); }

    // The log lines of this session without their time stamps.
    QStringList loggedTexts() const
    {
        QStringList texts;
        for (const QString& line : _app->logLines())
            texts << line.section(QLatin1Char(' '), 1);
        return texts;
    }

    QTemporaryDir _home;
    std::unique_ptr<DzApp> _app;
};
