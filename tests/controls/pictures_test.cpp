// The picture files the dialogs name: present in the build's resource folder, readable by the
// renderers the controls use, and drawn so that the controls can use them.
#include <gtest/gtest.h>

#include <QColor>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <set>
#include <string>
#include <vector>

namespace {

const QString kShare = QStringLiteral(ORVELIN_SHARE_DIR "/");

// Text in SVG pictures needs the GUI side of Qt.
void EnsureApplication() {
    if (QCoreApplication::instance() != nullptr) return;
    static int argc = 1;
    static char name[] = "controls_tests";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

QImage Render(const QString& file, int w, int h) {
    QSvgRenderer renderer(file);
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    if (!renderer.isValid()) return QImage();
    QPainter painter(&image);
    renderer.render(&painter, QRectF(0, 0, w, h));
    return image;
}

int DistinctColours(const QImage& image) {
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y));
    return static_cast<int>(colours.size());
}

TEST(Pictures, EveryFramePictureRenders) {
    EnsureApplication();
    for (const char* name : {"RESULT.vdm", "CALC.vdm", "WOOD.VDM", "BALL.vdm", "LR.vdm", "UD.vdm",
                             "LDRU.vdm", "BALLEXT.vdm", "BALLEXT8.vdm"}) {
        SCOPED_TRACE(name);
        const QImage image = Render(kShare + name, 120, 90);
        ASSERT_FALSE(image.isNull()) << "not a valid picture";
        EXPECT_GT(DistinctColours(image), 3);
    }
}

// The formula pictures carry text: dark ink on the light blue box, at the small sizes the
// stochastics window shows them too.
TEST(Pictures, FormulaPicturesShowTheirText) {
    EnsureApplication();
    for (const char* name :
         {"BINOMIAL.vdm", "HYPERG.vdm", "NORMAL.vdm", "POISSON.vdm", "CHIQUAD.vdm"}) {
        SCOPED_TRACE(name);
        for (const QSize size : {QSize(360, 130), QSize(180, 65)}) {
            const QImage image = Render(kShare + name, size.width(), size.height());
            ASSERT_FALSE(image.isNull());
            int ink = 0, box = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) {
                    const QColor c = image.pixelColor(x, y);
                    if (c.alpha() == 255 && c.lightness() < 140) ++ink;
                    if (c.alpha() == 255 && c.blue() > 230 && c.red() > 210) ++box;
                }
            const int area = image.width() * image.height();
            EXPECT_GT(ink, area / 150) << "too little text";
            EXPECT_GT(box, area / 2) << "the blue box is missing";
        }
    }
}

QImage LoadBitmap(const QString& file) {
    QImage image(file, "BMP");
    return image.convertToFormat(QImage::Format_RGB32);
}

// The pixels of (1, 1)'s colour that a flood fill from there reaches.
int FloodCount(const QImage& image, std::vector<bool>& seen) {
    const QRgb background = image.pixel(1, 1);
    const int w = image.width(), h = image.height();
    seen.assign(static_cast<size_t>(w * h), false);
    std::vector<QPoint> stack{QPoint(1, 1)};
    int count = 0;
    while (!stack.empty()) {
        const QPoint p = stack.back();
        stack.pop_back();
        if (p.x() < 0 || p.y() < 0 || p.x() >= w || p.y() >= h) continue;
        const size_t i = static_cast<size_t>(p.y() * w + p.x());
        if (seen[i] || image.pixel(p) != background) continue;
        seen[i] = true;
        ++count;
        stack.insert(stack.end(),
                     {p + QPoint(1, 0), p - QPoint(1, 0), p + QPoint(0, 1), p - QPoint(0, 1)});
    }
    return count;
}

TEST(Pictures, AnimationFramesHaveAFillableBackground) {
    QImage previous;
    for (int i = 1; i <= 15; ++i) {
        SCOPED_TRACE(i);
        const QImage frame = LoadBitmap(kShare + QStringLiteral("JMPB%1.VDB").arg(i));
        ASSERT_FALSE(frame.isNull());
        EXPECT_EQ(frame.size(), QSize(64, 64));
        const QRgb background = frame.pixel(1, 1);
        int total = 0;
        for (int y = 0; y < frame.height(); ++y)
            for (int x = 0; x < frame.width(); ++x) total += frame.pixel(x, y) == background;
        std::vector<bool> seen;
        // Every background pixel is reached, so no patch of it stays after the fill ...
        EXPECT_EQ(FloodCount(frame, seen), total);
        // ... and the figure is there, whole: it does not touch the top or the sides.
        EXPECT_GT(frame.width() * frame.height() - total, 200);
        for (int x = 0; x < frame.width(); ++x) EXPECT_EQ(frame.pixel(x, 0), background);
        for (int y = 0; y < frame.height(); ++y) {
            EXPECT_EQ(frame.pixel(0, y), background);
            EXPECT_EQ(frame.pixel(frame.width() - 1, y), background);
        }
        // The figure moves from frame to frame.
        if (!previous.isNull() && i < 15) {
            EXPECT_NE(frame, previous);
        }
        previous = frame;
    }
}

TEST(Pictures, LegendSamplesUseThePenColours) {
    const struct {
        int id;
        QRgb pen;
    } legends[] = {{1310, qRgb(0, 0, 0)}, {1320, qRgb(0, 0, 128)}, {1330, qRgb(0, 128, 0)}};
    for (const auto& legend : legends) {
        SCOPED_TRACE(legend.id);
        const QImage image = LoadBitmap(kShare + QStringLiteral("LEGEND%1.BMP").arg(legend.id));
        ASSERT_FALSE(image.isNull());
        int pen = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) pen += image.pixel(x, y) == legend.pen;
        EXPECT_GT(pen, 20);
    }
}

TEST(Pictures, HelpFolderExists) {
    EXPECT_TRUE(QFile::exists(kShare + "help/html"));
}

} // namespace
