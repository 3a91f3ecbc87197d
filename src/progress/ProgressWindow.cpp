// SPDX-License-Identifier: GPL-3.0-or-later
// Four charts of the history: questions and the correct rate per day, the
// words known over time by direction, the score estimates over time, and
// today's spread of word scores. A day without a session is a gap, never a
// zero. Each chart can be saved as a PNG.
#include <QBarCategoryAxis>
#include <QBuffer>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QLabel>
#include <QChartView>
#include <QDate>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QFileDialog>
#include <QGridLayout>
#include <QGuiApplication>
#include <QScreen>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMessageBox>
#include <QPushButton>
#include <QScatterSeries>
#include <QValueAxis>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <map>

#include "Progress.h"
#include "platform/TextFile.h"

namespace kelvora::progress {

namespace {

QDate Day(std::int64_t t) { return QDateTime::fromSecsSinceEpoch(t).date(); }
qreal Msecs(std::int64_t t) { return static_cast<qreal>(t) * 1000; }

// Points joined into lines only between sessions on the same or the next
// day: each run of such days is a series of its own, under one name.
std::vector<QLineSeries*> Segments(QChart* chart, const QString& name, const QColor& colour,
                                   const std::vector<std::pair<std::int64_t, qreal>>& points) {
    std::vector<QLineSeries*> runs;
    QDate last;
    for (const auto& [t, y] : points) {
        if (runs.empty() || last.daysTo(Day(t)) > 1) {
            auto* s = new QLineSeries(chart);
            s->setName(name);
            s->setColor(colour);
            s->setPointsVisible(true);
            runs.push_back(s);
        }
        runs.back()->append(Msecs(t), y);
        last = Day(t);
    }
    return runs;
}

// The axes of a chart: along the bottom and up the left side.
void AddAxes(QChart* chart, QAbstractAxis* x, QAbstractAxis* y) {
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
}

// A series drawn against two of the chart's axes.
void Plot(QChart* chart, QAbstractSeries* series, QAbstractAxis* x, QAbstractAxis* y) {
    chart->addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
}

// The runs of one line, with one entry in the legend.
void AddToChart(QChart* chart, const std::vector<QLineSeries*>& runs, QAbstractAxis* x, QAbstractAxis* y) {
    for (std::size_t i = 0; i < runs.size(); ++i) {
        Plot(chart, runs[i], x, y);
        if (i > 0)
            for (QLegendMarker* m : chart->legend()->markers(runs[i])) m->setVisible(false);
    }
}

QDateTimeAxis* TimeAxis(const ProgressData& d) {
    auto* x = new QDateTimeAxis;
    x->setFormat(QStringLiteral("MM-dd"));
    x->setTitleText(QStringLiteral("Date"));
    if (!d.sessions.empty())
        x->setRange(QDateTime::fromSecsSinceEpoch(d.sessions.front().ended).addSecs(-43200),
                    QDateTime::fromSecsSinceEpoch(d.sessions.back().ended).addSecs(43200));
    return x;
}

// Labels a little smaller than the axis' own, so many fit.
void SmallLabels(QAbstractAxis* axis, qreal scale) {
    QFont small = axis->labelsFont();
    small.setPointSizeF(small.pointSizeF() * scale);
    axis->setLabelsFont(small);
}

// A count axis of a chart: from 0 to `top`, a round number at or above the
// highest count, labelled at `ticks` round steps (1, 2 or 5 times a power
// of ten, at least 1, at most five steps).
struct NiceScale {
    double top;
    int ticks;
};

NiceScale NiceAxis(double top) {
    if (!(top > 0)) return {1, 2};
    // The smallest step of 1, 2 or 5 times a power of ten that reaches the
    // top in at most five steps.
    const double magnitude = std::max(1.0, std::pow(10.0, std::floor(std::log10(top / 5))));
    for (double m : {1.0, 2.0, 5.0, 10.0}) {
        const double step = m * magnitude;
        const double steps = std::ceil(top / step - 1e-9);
        if (steps <= 5) return {steps * step, static_cast<int>(steps) + 1};
    }
    return {top, 2};
}

// A count axis from 0 to a round number, labelled at round steps.
QValueAxis* ValueAxis(const QString& title, qreal top) {
    auto* y = new QValueAxis;
    y->setTitleText(title);
    const NiceScale scale = NiceAxis(top);
    y->setRange(0, scale.top);
    y->setTickCount(scale.ticks);
    y->setLabelFormat(QStringLiteral("%.0f"));
    return y;
}

// A chart with nothing to draw says so, in a line of its own in place of
// the chart (see Panel).
QChart* Empty(QChart* chart, const char* why) {
    chart->setProperty("nothingToDraw", QString::fromUtf8(why));
    return chart;
}

QDate FromLearningDay(std::int64_t day) { return QDate(1970, 1, 1).addDays(day); }

QChart* QuestionsPerDay(const ProgressData& d) {
    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("Questions and correct rate per day"));
    // Every review is a question, imported ones too, and so is every test
    // question of a session.
    std::map<QDate, std::pair<int, int>> days;  // asked, right
    for (const DayQuestions& q : d.questionsPerDay)
        if (q.asked > 0) days[FromLearningDay(q.day)] = {q.asked, q.right};
    if (days.empty()) return Empty(chart, "No questions answered yet");
    const QDate first = days.begin()->first, last = days.rbegin()->first;
    auto* questions = new QBarSet(QStringLiteral("Questions"));
    QStringList categories;
    std::vector<QLineSeries*> rate;
    int top = 0;
    for (QDate day = first; day <= last; day = day.addDays(1)) {
        const auto it = days.find(day);
        const int index = static_cast<int>(categories.size());
        categories << day.toString(day.day() == 1 || day == first ? QStringLiteral("M/d") : QStringLiteral("d"));
        *questions << (it == days.end() ? 0 : it->second.first);
        if (it == days.end() || it->second.first == 0) {
            rate.push_back(nullptr);  // a gap in the rate line
            continue;
        }
        top = std::max(top, it->second.first);
        if (rate.empty() || !rate.back()) {
            auto* s = new QLineSeries(chart);
            s->setName(QStringLiteral("Correct rate (%)"));
            s->setPointsVisible(true);
            rate.push_back(s);
        }
        rate.back()->append(index, 100.0 * it->second.second / it->second.first);
    }
    auto* bars = new QBarSeries(chart);
    bars->append(questions);
    auto* x = new QBarCategoryAxis;
    x->append(categories);
    x->setTitleText(QStringLiteral("Day"));
    SmallLabels(x, 0.75);
    auto* y = ValueAxis(QStringLiteral("Questions"), top);
    AddAxes(chart, x, y);
    Plot(chart, bars, x, y);
    auto* percent = ValueAxis(QStringLiteral("Correct %"), 100);
    chart->addAxis(percent, Qt::AlignRight);
    rate.erase(std::remove(rate.begin(), rate.end(), nullptr), rate.end());
    for (QLineSeries* run : rate) run->setColor(QColor(0xf3, 0x9a, 0x2b));
    AddToChart(chart, rate, x, percent);
    return chart;
}

QChart* WordsKnown(const ProgressData& d) {
    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("Words known (a positive score), by direction"));
    if (d.sessions.empty()) return Empty(chart, "No sessions yet");
    std::vector<std::pair<std::int64_t, qreal>> en, ja;
    int top = 0;
    for (const auto& s : d.sessions) {
        en.emplace_back(s.ended, s.known[0]);
        ja.emplace_back(s.ended, s.known[1]);
        top = std::max({top, s.known[0], s.known[1]});
    }
    auto* x = TimeAxis(d);
    auto* y = ValueAxis(QStringLiteral("Words"), top);
    AddAxes(chart, x, y);
    AddToChart(chart, Segments(chart, QStringLiteral("English → Japanese"), QColor(0x45, 0x76, 0xe0), en), x, y);
    AddToChart(chart, Segments(chart, QStringLiteral("Japanese → English"), QColor(0xd0, 0x40, 0x40), ja), x, y);
    return chart;
}

QChart* Estimates(const ProgressData& d) {
    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("Score estimates of the test mode"));
    std::vector<std::pair<std::int64_t, qreal>> points;
    qreal top = 0;
    for (const auto& s : d.sessions)
        for (double e : s.estimates) {
            points.emplace_back(s.ended, e);
            top = std::max<qreal>(top, e);
        }
    if (points.empty()) return Empty(chart, "No test sessions yet");
    auto* x = TimeAxis(d);
    auto* y = ValueAxis(QStringLiteral("Estimate"), std::max<qreal>(top, 990));
    AddAxes(chart, x, y);
    const QColor colour(0x22, 0x41, 0x8c);
    // Each estimate a mark, joined where sessions follow day by day.
    auto* marks = new QScatterSeries(chart);
    marks->setName(QStringLiteral("Estimate"));
    marks->setColor(colour);
    marks->setMarkerSize(9);
    for (const auto& [t, e] : points) marks->append(Msecs(t), e);
    Plot(chart, marks, x, y);
    const auto runs = Segments(chart, QStringLiteral("Estimate"), colour, points);
    AddToChart(chart, runs, x, y);
    for (QLegendMarker* m : chart->legend()->markers(runs.front())) m->setVisible(false);
    return chart;
}

QChart* Spread(const ProgressData& d) {
    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("Today's word scores"));
    if (std::all_of(d.spread.begin(), d.spread.end(), [](const auto& dir) {
            return std::all_of(dir.begin(), dir.end(), [](int n) { return n == 0; });
        }))
        return Empty(chart, "No words in the word database");
    auto* series = new QBarSeries(chart);
    const QString names[2] = {QStringLiteral("English → Japanese"), QStringLiteral("Japanese → English")};
    int top = 0;
    for (int dir = 0; dir < 2; ++dir) {
        auto* set = new QBarSet(names[dir]);
        for (int n : d.spread[static_cast<std::size_t>(dir)]) {
            *set << n;
            top = std::max(top, n);
        }
        series->append(set);
    }
    auto* x = new QBarCategoryAxis;
    for (const char* name : kScoreBuckets) x->append(QString::fromUtf8(name));
    x->setTitleText(QStringLiteral("Score (from)"));
    SmallLabels(x, 0.8);
    auto* y = ValueAxis(QStringLiteral("Words"), top);
    AddAxes(chart, x, y);
    Plot(chart, series, x, y);
    return chart;
}

QChart* DueForecast(const ProgressData& d) {
    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("Words due per day, the next 30 days"));
    if (std::all_of(d.dueForecast.begin(), d.dueForecast.end(), [](int n) { return n == 0; }))
        return Empty(chart, "No words due in the next 30 days");
    auto* due = new QBarSet(QStringLiteral("Words due (today: with the overdue ones)"));
    QStringList categories;
    int top = 0;
    for (int i = 0; i < kForecastDays; ++i) {
        const QDate day = FromLearningDay(d.today + i);
        // Narrow bars: the day of the month only, the month in the title.
        categories << QString::number(day.day());
        *due << d.dueForecast[static_cast<std::size_t>(i)];
        top = std::max(top, d.dueForecast[static_cast<std::size_t>(i)]);
    }
    auto* bars = new QBarSeries(chart);
    bars->append(due);
    auto* x = new QBarCategoryAxis;
    x->append(categories);
    x->setTitleText(QStringLiteral("Day, from %1").arg(FromLearningDay(d.today).toString(QStringLiteral("yyyy-MM-dd"))));
    SmallLabels(x, 0.75);
    auto* y = ValueAxis(QStringLiteral("Words"), top);
    AddAxes(chart, x, y);
    Plot(chart, bars, x, y);
    return chart;
}

QChart* RecallOverTime(const ProgressData& d) {
    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("Words you would recall, by direction"));
    if (d.recall.empty()) return Empty(chart, "No words reviewed yet");
    const QString names[2] = {QStringLiteral("English → Japanese"), QStringLiteral("Japanese → English")};
    const QColor colours[2] = {QColor(0x45, 0x76, 0xe0), QColor(0xd0, 0x40, 0x40)};
    auto* x = new QDateTimeAxis;
    x->setFormat(QStringLiteral("MM-dd"));
    x->setTitleText(QStringLiteral("Date"));
    auto at = [](std::int64_t day) { return QDateTime(FromLearningDay(day), QTime(12, 0)); };
    x->setRange(at(d.recall.front().day).addDays(-1), at(d.recall.back().day).addDays(1));
    double top = 0;
    for (const RecallPoint& p : d.recall) top = std::max({top, p.sum[0], p.sum[1]});
    auto* y = ValueAxis(QStringLiteral("Words"), top);
    AddAxes(chart, x, y);
    for (int direction = 0; direction < 2; ++direction) {
        auto* line = new QLineSeries(chart);
        line->setName(names[direction]);
        line->setColor(colours[direction]);
        for (const RecallPoint& p : d.recall)
            line->append(static_cast<qreal>(at(p.day).toMSecsSinceEpoch()), p.sum[direction]);
        Plot(chart, line, x, y);
    }
    return chart;
}

// A chart with its "Save as PNG…" button.
QWidget* Panel(QChart* chart, const QString& file, QWidget* parent) {
    auto* panel = new QWidget(parent);
    auto* layout = new QVBoxLayout(panel);
    if (const QString why = chart->property("nothingToDraw").toString(); !why.isEmpty()) {
        // The title and a line saying why there is nothing to see.
        auto* note = new QLabel(QStringLiteral("<b>%1</b><br>%2").arg(chart->title().toHtmlEscaped(), why.toHtmlEscaped()), panel);
        note->setObjectName(file);
        note->setAlignment(Qt::AlignCenter);
        note->setAccessibleName(chart->title());
        note->setAccessibleDescription(why);
        note->setFrameShape(QFrame::StyledPanel);
        layout->addWidget(note, 1);
        delete chart;
        return panel;
    }
    auto* view = new QChartView(chart, panel);
    view->setRenderHint(QPainter::Antialiasing);
    view->setObjectName(file);
    view->setAccessibleName(chart->title());
    chart->legend()->setAlignment(Qt::AlignBottom);
    auto* save = new QPushButton(QStringLiteral("Save as PNG…"), panel);
    save->setAccessibleDescription(QStringLiteral("Save the chart \"%1\" as a picture").arg(chart->title()));
    QObject::connect(save, &QPushButton::clicked, panel, [view, file, panel] {
        const QString path = QFileDialog::getSaveFileName(panel, QStringLiteral("Save the chart"),
                                                          QDir::home().filePath(file + QStringLiteral(".png")),
                                                          QStringLiteral("PNG pictures (*.png)"));
        if (path.isEmpty()) return;
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        view->grab().save(&buffer, "PNG");
        const WriteResult r = WriteFileAtomic(path.toStdString(), png.toStdString());
        if (!r.ok)
            QMessageBox::warning(panel, QStringLiteral("Kelvora"),
                                 QStringLiteral("%1 could not be written: %2.").arg(path, QString::fromStdString(r.reason)));
    });
    layout->addWidget(view, 1);
    layout->addWidget(save, 0, Qt::AlignRight);
    return panel;
}

}  // namespace

}  // namespace kelvora::progress

extern "C" Q_DECL_EXPORT QWidget* kelvora_progress_window(const kelvora::ProgressData& data, QWidget* parent) {
    using namespace kelvora::progress;
    auto* window = new QWidget(parent, Qt::Window);
    window->setObjectName(QStringLiteral("Progress"));
    window->setWindowTitle(QStringLiteral("Progress — Kelvora"));
    window->setAttribute(Qt::WA_DeleteOnClose);
    auto* grid = new QGridLayout(window);
    // The days across the whole width, the rest below them.
    grid->addWidget(Panel(QuestionsPerDay(data), QStringLiteral("questions-per-day"), window), 0, 0, 1, 3);
    grid->addWidget(Panel(WordsKnown(data), QStringLiteral("words-known"), window), 1, 0);
    grid->addWidget(Panel(RecallOverTime(data), QStringLiteral("words-recalled"), window), 1, 1);
    grid->addWidget(Panel(Estimates(data), QStringLiteral("score-estimates"), window), 1, 2);
    grid->addWidget(Panel(DueForecast(data), QStringLiteral("words-due"), window), 2, 0, 1, 2);
    grid->addWidget(Panel(Spread(data), QStringLiteral("word-scores-today"), window), 2, 2);
    QSize size(1180, 1000);
    if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() - QSize(16, 40));
    window->resize(size);
    return window;
}
