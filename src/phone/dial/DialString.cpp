#include "phone/dial/DialString.h"

Str ComposeDialString(const Str& format, const Str& number) {
    if (format.IsEmpty()) return number;
    const int at = format.Find(u'@');
    if (at < 0) return format;
    int before = 0;
    while (at - before - 1 >= 0 && format[at - before - 1] == u'-') ++before;
    int after = 0;
    while (format[at + after + 1] == u'-') ++after;
    const int kept = number.GetLength() - before - after;
    Str result = format.Left(at - before);
    if (kept > 0) result += number.Mid(before, kept);
    result += format.Mid(at + after + 1);
    return result;
}
