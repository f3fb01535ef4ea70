#include "ui/toolkit/Guard.h"

#include <QCoreApplication>
#include <exception>
#include <string>

#include "core/diag/ErrorLog.h"
#include "core/diag/FatalError.h"
#include "core/str/Str.h"

bool RunGuarded(const std::function<void()>& work, const char* where) {
    try {
        work();
        return true;
    } catch (const FatalError& error) {
        ErrorLog(Str::FromUtf8(error.what()).View(), where, 0);
        QCoreApplication::exit(static_cast<int>(error.Code()));
    } catch (const std::exception& error) {
        ErrorLog(Str::FromUtf8(error.what()).View(), where, 0);
    }
    return false;
}
