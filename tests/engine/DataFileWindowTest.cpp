#include "engine/views/DataFileWindow.h"

#include "DataFileTestKit.h"
#include "engine/runtime/DataFileLoader.h"
#include "engine/views/DataFilePlot.h"
#include "engine/views/DataFileTableModel.h"
#include "sim/EventLoopWait.h"

#include <QFile>
#include <QLogValueAxis>
#include <QTableView>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>

namespace gw::test {
namespace {

// A glow curve of two first-order-like peaks, scaled by the disk's dose.
double Glow(double t, double dose) {
    const auto peak = [t](double at, double width, double height) {
        const double u = (t - at) / width;
        return height * std::exp(1.0 + u - std::exp(u));
    };
    return dose * (peak(110.0, 18.0, 900.0 * dose) + peak(325.0, 30.0, 2400.0)) + 20.0;
}

// The ten TL records of one platter's disks, as the dialog's writer puts them.
std::string PlatterOfTl(int disks = 10, int firstDisk = 1) {
    std::string text;
    char line[96];
    for (int d = firstDisk; d < firstDisk + disks; ++d) {
        std::vector<std::string> lines = {
            "[NewRecord]",
            "Title=platter 3",
            "Disk=" + std::to_string(d),
            "DataType=TL",
            "MaxTemp=450",
            "RampRate=5",
            "Started=10.12.2026 02:0" + std::to_string(d % 10) + ":00",
            "Stopped=10.12.2026 02:0" + std::to_string(d % 10) + ":59",
            "Points=250"};
        const double dose = 0.5 + 0.13 * d;
        for (int i = 0; i < 250; ++i) {
            const double t = 25.0 + 1.7 * i;
            std::snprintf(line, sizeof line, "%3d; %8.3f; %8.3f;  valid", i, t,
                          std::round(Glow(t, dose) * (1.0 + 0.02 * std::sin(i * 1.7 + d))));
            lines.push_back(line);
        }
        text += DataFileLines(lines);
    }
    return text;
}

class DataFileWindowTest : public ::testing::Test {
protected:
    void open(const std::string& name, const std::string& bytes) {
        path = QString::fromStdString(folder.write(name, bytes));
        window.showFile(path);
    }
    bool rowsAre(int rows) {
        return waitUntil([&] { return window.records()->rowCount() == rows && !window.reading(); },
                         10000);
    }

    DataFileFolder folder;
    DataFileWindow window;
    QString path;
};

TEST_F(DataFileWindowTest, PlotsTheChosenRecordsTogether) {
    open("platter.txt", PlatterOfTl());
    ASSERT_TRUE(rowsAre(10)) << window.records()->rowCount();
    EXPECT_EQ(window.message(), "10 records");
    window.selectRecords({0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    EXPECT_EQ(window.plot()->curveCount(), 10);
    EXPECT_EQ(window.plot()->horizontalTitle(), "Temperature (\u00b0C)");
    window.setNormalisation(CurveNormalisation::Maximum);
    EXPECT_EQ(window.plot()->verticalTitle(), "Counts / maximum");
    window.setLogCounts(true);
    EXPECT_NE(qobject_cast<QLogValueAxis*>(window.plot()->chart()->axes(Qt::Vertical).front()),
              nullptr);
    window.setLogCounts(false);
    EXPECT_EQ(window.plot()->chart()->axes().size(), 2);

    if (const char* shot = std::getenv("GW_DATA_FILE_SCREENSHOT")) {
        window.resize(1200, 720);
        window.show();
        waitUntil([] { return false; }, 500);
        EXPECT_TRUE(window.grab().save(QString::fromLocal8Bit(shot)));
    }

    const QString png = QString::fromStdString(folder.path("plot.png"));
    const QString svg = QString::fromStdString(folder.path("plot.svg"));
    const QString csv = QString::fromStdString(folder.path("chosen.csv"));
    EXPECT_TRUE(window.exportPlot(png));
    EXPECT_TRUE(window.exportPlot(svg));
    window.selectRecords({2, 7});
    EXPECT_TRUE(window.exportCsv(csv));
    QFile svgFile(svg), csvFile(csv);
    ASSERT_TRUE(svgFile.open(QIODevice::ReadOnly) && csvFile.open(QIODevice::ReadOnly));
    EXPECT_TRUE(svgFile.readAll().contains("<svg"));
    EXPECT_EQ(csvFile.readLine(), "point,record 2 temperature,record 2 channel 1,record 7 "
                                  "temperature,record 7 channel 1\r\n");
    EXPECT_GT(QFile(png).size(), 1000);
    EXPECT_FALSE(window.exportPlot(QString::fromStdString(folder.path("no/such/plot.png"))));
    EXPECT_TRUE(window.message().startsWith("The plot could not be written"));
}

TEST_F(DataFileWindowTest, ShowsRecordsAsARunWritesThem) {
    const std::string two = PlatterOfTl(2);
    open("night.txt", two.substr(0, two.size() - 100));
    ASSERT_TRUE(rowsAre(2));
    EXPECT_EQ(window.records()->provisionalRows(), 1);
    EXPECT_FALSE(window.records()->rowAt(1).problems.empty());
    folder.write("night.txt", two.substr(two.size() - 100) + PlatterOfTl(1, 3), std::ios::app);
    ASSERT_TRUE(rowsAre(3));
    EXPECT_TRUE(window.records()->rowAt(1).problems.empty());
    EXPECT_EQ(window.records()->rowAt(2).disk, "3");
    // Sorting by disk, descending, puts the new record first.
    auto* table = window.findChild<QTableView*>("DataFileRecords");
    table->sortByColumn(DataFileTableModel::Disk, Qt::DescendingOrder);
    EXPECT_EQ(table->model()->index(0, DataFileTableModel::Disk).data().toString(), "3");
}

TEST_F(DataFileWindowTest, SaysWhatIsWrongWithABadFile) {
    std::string garbage(3 * 1024 * 1024, '\x01');
    garbage[10] = '\0';
    open("garbage.bin", garbage);
    ASSERT_TRUE(rowsAre(0));
    EXPECT_EQ(window.message(), "\"garbage.bin\" is not a data file: it holds binary data.");
    window.showFile(QString::fromStdString(folder.path("missing.txt")));
    ASSERT_TRUE(rowsAre(0));
    EXPECT_TRUE(window.message().endsWith("missing.txt does not exist."))
        << window.message().toStdString();
    EXPECT_FALSE(window.exportCsv(QString::fromStdString(folder.path("x.csv"))));
}

TEST_F(DataFileWindowTest, ShowsTheFirstRecordsBeforeALargeFileIsRead) {
    std::string big;
    while (big.size() < 5 * DataFileReader::PieceSize) {
        big += PlatterOfTl();
    }
    const int records = static_cast<int>(big.size() / PlatterOfTl().size()) * 10;
    DataFileLoader* loader = window.findChild<DataFileLoader*>();
    std::vector<int> rowsWhenRead;
    QObject::connect(loader, &DataFileLoader::rowsRead, loader,
                     [&] { rowsWhenRead.push_back(window.records()->rowCount()); });
    open("big.txt", big);
    ASSERT_TRUE(rowsAre(records));
    EXPECT_GE(rowsWhenRead.size(), 4u);
    EXPECT_LT(rowsWhenRead.front(), records / 2);
    window.findChild<QTableView*>("DataFileRecords")->selectAll();
    EXPECT_EQ(window.plot()->curveCount(), DataFileWindow::MaxPlottedRecords);
    EXPECT_EQ(window.message(),
              QString("%1 records chosen: the first 100 are plotted").arg(records));
    window.close();
    EXPECT_EQ(window.records()->rowCount(), 0);
}

} // namespace
} // namespace gw::test
