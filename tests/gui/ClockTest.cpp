// The captions' time of day: the locale's long time format without its zone.
#include <gtest/gtest.h>

#include <QLocale>
#include <QTime>

#include "platform/QtClock.h"

using namespace tevrane;

TEST(QtClock, TimeZoneFieldsAreRemoved) {
    EXPECT_EQ(withoutTimeZone("HH:mm:ss t"), "HH:mm:ss");
    EXPECT_EQ(withoutTimeZone("h:mm:ss AP t"), "h:mm:ss AP");
    EXPECT_EQ(withoutTimeZone("tttt HH:mm:ss"), "HH:mm:ss");
    EXPECT_EQ(withoutTimeZone("HH 'Uhr' mm t"), "HH 'Uhr' mm");  // quoted text stays
    EXPECT_EQ(withoutTimeZone("'at' HH:mm"), "'at' HH:mm");
    EXPECT_EQ(withoutTimeZone("HH:mm:ss"), "HH:mm:ss");
}

TEST(QtClock, LongTimeReadsBackAsATimeOfDay) {
    QtClock clock;
    const QLocale locale = QLocale::system();
    const QString format = withoutTimeZone(locale.timeFormat(QLocale::LongFormat));
    const QString text = QString::fromStdString(clock.longTime());
    const QTime parsed = locale.toTime(text, format);
    ASSERT_TRUE(parsed.isValid()) << text.toStdString();
    // Within a minute of now, allowing for midnight passing in between.
    const int diff = std::abs(parsed.secsTo(QTime::currentTime()));
    EXPECT_TRUE(diff <= 60 || diff >= 86400 - 60) << text.toStdString();
    EXPECT_FALSE(clock.shortDate().empty());
    const QDate date = locale.toDate(QString::fromStdString(clock.shortDate()), QLocale::ShortFormat);
    EXPECT_TRUE(date.isValid());
}
