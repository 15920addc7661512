#include "platform/QtClock.h"

#include <QDate>
#include <QLocale>
#include <QTime>

namespace tevrane {

QString withoutTimeZone(const QString& format) {
    QString out;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar ch = format.at(i);
        if (ch == QLatin1Char('\'')) quoted = !quoted;
        if (!quoted && ch == QLatin1Char('t')) {
            // Drop the whole zone field and the blanks in front of it.
            while (!out.isEmpty() && out.back().isSpace()) out.chop(1);
            while (i + 1 < format.size() && format.at(i + 1) == QLatin1Char('t')) ++i;
            continue;
        }
        out += ch;
    }
    return out.trimmed();
}

std::string QtClock::shortDate() {
    const QLocale locale = QLocale::system();
    return locale.toString(QDate::currentDate(), QLocale::ShortFormat).toStdString();
}

std::string QtClock::longTime() {
    const QLocale locale = QLocale::system();
    const QString format = withoutTimeZone(locale.timeFormat(QLocale::LongFormat));
    return locale.toString(QTime::currentTime(), format).toStdString();
}

}  // namespace tevrane
