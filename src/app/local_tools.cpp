#include "local_tools.h"

QString toolTitle(LocalTool tool) {
    switch (tool) {
        case LocalTool::Calculator:
            return QStringLiteral("计算器");
        case LocalTool::TextEditor:
            return QStringLiteral("记事本");
        case LocalTool::Terminal:
            return QStringLiteral("命令行");
    }
    return {};
}

QStringList toolCandidates(LocalTool tool) {
#ifdef Q_OS_WIN
    switch (tool) {
        case LocalTool::Calculator:
            return {QStringLiteral("calc.exe")};
        case LocalTool::TextEditor:
            return {QStringLiteral("notepad.exe")};
        case LocalTool::Terminal:
            return {QStringLiteral("cmd.exe")};
    }
#else
    switch (tool) {
        case LocalTool::Calculator:
            return {QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),
                    QStringLiteral("galculator"), QStringLiteral("xcalc")};
        case LocalTool::TextEditor:
            return {QStringLiteral("gedit"), QStringLiteral("kate"),  QStringLiteral("mousepad"),
                    QStringLiteral("xed"),   QStringLiteral("pluma"), QStringLiteral("leafpad")};
        case LocalTool::Terminal:
            return {QStringLiteral("x-terminal-emulator"), QStringLiteral("gnome-terminal"),
                    QStringLiteral("konsole"), QStringLiteral("xfce4-terminal"),
                    QStringLiteral("xterm")};
    }
#endif
    return {};
}
