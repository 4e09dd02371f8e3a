// The command line shared by the template builders:
//
//   NAME OUT --flag VALUE [--flag VALUE ...]
//
// The flags are fixed and in a fixed order. Wrong arguments print the usage
// and end with code 2; any failure of the build prints one line and ends with
// code 1, so that the build stops with the reason instead of a half template.
#pragma once

#include "schema/EngineError.h"
#include "workbook/Workbook.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>
#include <functional>
#include <stdexcept>

namespace kestrune::builder {

// Calls build with OUT followed by the value of each flag, in flag order.
inline int RunBuilder(int argc, char* argv[], const QString& name, const QStringList& flags,
                      const std::function<void(const QStringList&)>& build) {
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments().mid(1);
    bool shaped = args.size() == 1 + 2 * flags.size();
    QStringList values;
    if (shaped)
        values << args[0];
    for (qsizetype i = 0; shaped && i < flags.size(); ++i) {
        shaped = args[1 + 2 * i] == QStringLiteral("--") + flags[i];
        values << args[2 + 2 * i];
    }
    if (!shaped) {
        err << "usage: " << name << " OUT";
        for (const QString& flag : flags)
            err << " --" << flag << ' ' << flag.toUpper();
        err << '\n';
        return 2;
    }
    try {
        build(values);
    } catch (const workbook::WorkbookError& e) {
        err << name << ": " << e.text() << '\n';
        return 1;
    } catch (const db::EngineError& e) {
        err << name << ": " << e.text() << '\n';
        return 1;
    } catch (const std::exception& e) {
        err << name << ": " << e.what() << '\n';
        return 1;
    }
    return 0;
}

} // namespace kestrune::builder
