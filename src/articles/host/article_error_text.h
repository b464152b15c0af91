#pragma once
// Chinese sentences for failed article operations.

#include <QString>
#include <exception>

// "<action>失败：<reason>。", the reason worded for the user.
QString articleFailureText(const QString& action, const std::exception& error);
