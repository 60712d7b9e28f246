#pragma once

#include "plist/Plist.h"
#include "util/PublicFunctionParameters.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

// Points "Parameters.plist" at a written file for the lifetime of the object.
class ParameterFileOverride {
  public:
    explicit ParameterFileOverride(const PlistValue& content) {
        path_ = dir_.filePath(QString::fromLatin1(parametersFileName));
        EXPECT_TRUE(writePlistFile(path_, content));
        setParameterFileOverride(QString::fromLatin1(parametersFileName), path_);
    }
    ~ParameterFileOverride() {
        setParameterFileOverride(QString::fromLatin1(parametersFileName), QString());
    }
    ParameterFileOverride(const ParameterFileOverride&) = delete;
    ParameterFileOverride& operator=(const ParameterFileOverride&) = delete;
    QString path() const { return path_; }

  private:
    QTemporaryDir dir_;
    QString path_;
};
