#pragma once
// Case tables of the Qt side's tests, kept as JSON in tests/data.

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>

#include "qt_test_files.h"

// The rows of one table in a data file; an empty table is a failure.
inline QJsonArray Rows(const char* file, const char* table) {
    const QString path = QStringLiteral(CORVEL_TEST_DATA_DIR "/") + QString::fromUtf8(file);
    const QJsonArray rows = QJsonDocument::fromJson(FileBytes(path))[QLatin1String(table)].toArray();
    EXPECT_FALSE(rows.isEmpty()) << file << " " << table;
    return rows;
}
