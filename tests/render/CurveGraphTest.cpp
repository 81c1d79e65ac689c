#include <QImage>

#include <cstdlib>
#include <functional>

#include <gtest/gtest.h>

#include "engine/CurveModel.h"
#include "render/CurveGraph.h"
#include "render/ResourceFiles.h"
#include "tests/support/RestoreSetting.h"

namespace grayden {
namespace {

using grayden::testing::restoreSetting;

constexpr QRgb Silver = qRgb(192, 192, 192);
constexpr QRgb OutputInner = qRgb(255, 255, 128);
constexpr QRgb OutputOuter = qRgb(140, 140, 70);

class CurveGraphTest : public ::testing::Test {
protected:
    CurveGraphTest() : model(owner), buffer(800, 600, QImage::Format_RGB32) {
        buffer.fill(qRgb(10, 20, 30));
        scene.graphRect = {200, 30, 780, 560};
        scene.plotRect = plotRectOf(scene.graphRect);
        useTable(identityTable(), DefaultPointCountIndex);
    }

    void useTable(const ToneTable& table, int pointCountIndex) {
        restoreSetting(model, &ModelSettings::pointCountIndex, static_cast<std::uint16_t>(pointCountIndex));
        model.installTable(table);
        scene.table = &model.currentTable();
        scene.points = &model.points();
        scene.pointCount = model.livePointCount();
    }

    QImage render() {
        graph.paint(buffer, scene);
        return buffer;
    }

    static bool contains(const QImage& image, QRgb colour) {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF)) return true;
        return false;
    }

    DetachedMonitor owner;
    CurveModel model;
    QImage buffer;
    GraphScene scene;
    CurveGraph graph;
};

TEST_F(CurveGraphTest, MarkerSquareSitsOnePixelRightAndAboveItsMappedPoint) {
    const QImage image = render();
    const QImage marker = loadBitmap(135);
    const QImage mask = loadBitmap(139);
    for (int k = 0; k < scene.pointCount; ++k) {
        const ControlPoint& point = model.points()[k];
        const int left = markerX(scene.plotRect, point.level) - 5;
        const int top = markerY(scene.plotRect, point.value) - 7;
        for (int y = 0; y < 12; ++y) {
            for (int x = 0; x < 12; ++x) {
                if (qRed(mask.pixel(x, y)) != 0) continue;  // outside the disc the background shows
                ASSERT_EQ(image.pixel(left + x, top + y), marker.pixel(x, y))
                    << "point " << k << " at " << x << "," << y;
            }
        }
    }
}

TEST_F(CurveGraphTest, LevelZeroMarkerReachesIntoTheLabelMarginUnclipped) {
    const QImage image = render();
    const QImage marker = loadBitmap(135);
    const int left = markerX(scene.plotRect, 0) - 5;
    ASSERT_LT(left, scene.plotRect.left);
    const int top = markerY(scene.plotRect, model.points()[0].value) - 7;
    EXPECT_EQ(image.pixel(left + 1, top + 6), marker.pixel(1, 6));
}

TEST_F(CurveGraphTest, FewerPointsDrawDotsEveryThirdLevelAnd256PointsDrawALineOnly) {
    QImage image = render();
    const QImage dot = loadBitmap(137);
    for (int level = 0; level < 256; level += 3) {
        const int x = curveX(scene.plotRect, level) - 3;
        const int y = curveY(scene.plotRect, model.currentTable()[level]) - 3;
        // Markers are drawn over the dots near their points.
        bool nearPoint = false;
        for (int k = 0; k < scene.pointCount; ++k)
            nearPoint = nearPoint || std::abs(model.points()[k].level - level) <= 4;
        if (nearPoint) continue;
        EXPECT_EQ(image.pixel(x + 2, y + 2), dot.pixel(2, 2)) << "level " << level;
    }

    useTable(identityTable(), AllLevelsPointCountIndex);
    buffer.fill(qRgb(10, 20, 30));
    image = render();
    EXPECT_FALSE(contains(image, loadBitmap(135).pixel(6, 6))) << "a marker was drawn";
    EXPECT_FALSE(contains(image, dot.pixel(2, 2))) << "a dot was drawn";
    const int x = curveX(scene.plotRect, 128);
    EXPECT_EQ(image.pixel(x, curveY(scene.plotRect, model.currentTable()[128])), qRgb(255, 255, 255));
}

TEST_F(CurveGraphTest, FullScaleValueLiesOnTheTopEdgeOfThePlot) {
    for (int h = 1; h < 8161; ++h) {
        const EdgeRect plot{0, 100, 10, 100 + h};
        ASSERT_EQ(curveY(plot, FullScale), plot.top) << "height " << h;
    }
    ToneTable top{};
    top.fill(FullScale);
    useTable(top, AllLevelsPointCountIndex);
    const QImage image = render();
    EXPECT_EQ(image.pixel(curveX(scene.plotRect, 100), scene.plotRect.top), qRgb(255, 255, 255));
}

TEST_F(CurveGraphTest, OutputCurveWithPanelGammaOneLiesUnderTheCurve) {
    useTable(makeDefaultCurve(1.8), AllLevelsPointCountIndex);
    scene.showOutputCurve = true;
    scene.panelGamma = 1.0;
    QImage image = render();
    EXPECT_FALSE(contains(image, OutputInner));
    EXPECT_FALSE(contains(image, OutputOuter));

    scene.panelGamma = 2.2;
    image = render();
    EXPECT_TRUE(contains(image, OutputInner));
    scene.showOutputCurve = false;
    image = render();
    EXPECT_FALSE(contains(image, OutputInner));
}

TEST_F(CurveGraphTest, GridAndFrameAreSilverAndTheFieldIsBlack) {
    const QImage image = render();
    const EdgeRect& r = scene.plotRect;
    EXPECT_EQ(image.pixel(gridX(r, 25), r.top + 4), Silver);
    EXPECT_EQ(image.pixel(r.left + 40, gridY(r, 816 * 9)), Silver);
    EXPECT_EQ(image.pixel(r.left, (r.top + r.bottom) / 2), Silver);
    EXPECT_EQ(image.pixel(scene.graphRect.right - 2, scene.graphRect.top + 1), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(scene.graphRect.left - 1, scene.graphRect.top + 1), qRgb(10, 20, 30)) << "drawn outside";
}

TEST_F(CurveGraphTest, OnePixelLinesLeaveOutTheirEndPixel) {
    useTable(identityTable(), AllLevelsPointCountIndex);
    const QImage image = render();
    const EdgeRect& r = scene.plotRect;
    // Horizontal grid lines end inside the frame: nothing silver right of its right edge.
    for (int k = 1; k <= 9; ++k) {
        EXPECT_EQ(image.pixel(r.right, gridY(r, 816 * k)), qRgb(0, 0, 0)) << "grid line " << k;
    }
    // The closing one-pixel step sets the curve's last pixel in white; the pixel after it only
    // carries the wide pen's outline.
    const int x = curveX(r, 255);
    const int y = curveY(r, model.currentTable()[255]);
    EXPECT_EQ(image.pixel(x, y), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(x + 1, y), qRgb(156, 156, 156));
}

// On a screen of pixel ratio 2 the same picture is drawn at twice the resolution: each logical
// pixel of a sprite or a one-pixel line becomes a 2 × 2 block at the doubled position.
TEST_F(CurveGraphTest, AtPixelRatioTwoEveryLogicalPixelLandsAtTheDoubledPosition) {
    QImage sharp(buffer.size() * 2, QImage::Format_RGB32);
    sharp.setDevicePixelRatio(2);
    sharp.fill(qRgb(10, 20, 30));
    graph.paint(sharp, scene);
    const QImage plain = render();
    const auto block = [&](int x, int y) {
        const QRgb colour = sharp.pixel(2 * x, 2 * y);
        const bool uniform = sharp.pixel(2 * x + 1, 2 * y) == colour && sharp.pixel(2 * x, 2 * y + 1) == colour &&
                             sharp.pixel(2 * x + 1, 2 * y + 1) == colour;
        return uniform ? colour : qRgb(1, 2, 3);
    };
    const QImage marker = loadBitmap(135);
    const QImage mask = loadBitmap(139);
    for (int k = 0; k < scene.pointCount; ++k) {
        const int left = markerX(scene.plotRect, model.points()[k].level) - 5;
        const int top = markerY(scene.plotRect, model.points()[k].value) - 7;
        for (int y = 0; y < 12; ++y) {
            for (int x = 0; x < 12; ++x) {
                if (qRed(mask.pixel(x, y)) != 0) continue;
                ASSERT_EQ(block(left + x, top + y), marker.pixel(x, y)) << "point " << k << " at " << x << "," << y;
            }
        }
    }
    const EdgeRect& r = scene.plotRect;
    const EdgeRect& g = scene.graphRect;
    // Across every grid line, the frame's wide edges and the line's neighbours, block for pixel.
    for (int level = 25; level < 256; level += 25) {
        for (int x = gridX(r, level) - 1; x <= gridX(r, level) + 1; ++x) {
            EXPECT_EQ(block(x, r.top + 4), plain.pixel(x, r.top + 4)) << "level " << level << ", x " << x;
        }
    }
    for (int y = r.top - 3; y <= r.top + 3; ++y) EXPECT_EQ(block(r.left + 40, y), plain.pixel(r.left + 40, y)) << y;
    for (int x = r.left - 3; x <= r.left + 3; ++x) EXPECT_EQ(block(x, r.top + 40), plain.pixel(x, r.top + 40)) << x;
    EXPECT_EQ(plain.pixel(gridX(r, 25), r.top + 4), Silver);
    EXPECT_EQ(block(r.left + 40, gridY(r, 816 * 9)), Silver);
    EXPECT_EQ(block(g.right - 2, g.top + 1), qRgb(0, 0, 0));
    EXPECT_EQ(sharp.pixel(2 * g.left - 1, 2 * g.top + 2), qRgb(10, 20, 30)) << "drawn outside the graph";
    EXPECT_EQ(sharp.pixel(2 * g.right, 2 * g.top + 2), qRgb(10, 20, 30)) << "drawn outside the graph";

    // A level curve line: its white core and grey outline, row for row.
    ToneTable level{};
    level.fill(4080);
    useTable(level, AllLevelsPointCountIndex);
    graph.paint(sharp, scene);
    const QImage line = render();
    const int y = curveY(r, 4080);
    for (int dy = -2; dy <= 2; ++dy) EXPECT_EQ(block(r.left + 100, y + dy), line.pixel(r.left + 100, y + dy)) << dy;
    EXPECT_EQ(block(r.left + 100, y), qRgb(255, 255, 255));
}

// A repaint over the graph's own last picture redraws only where something moves; whatever
// changed, it must give the picture a complete repaint gives.
TEST_F(CurveGraphTest, RepaintingOverTheLastPictureGivesTheCompletePicture) {
    using Change = std::function<void()>;
    const std::pair<const char*, Change> changes[] = {
        {"a point up", [&] { model.setPointValue(4, 8000); }},
        {"the first point to the top", [&] { model.setPointValue(0, FullScale); }},
        {"output curve on", [&] { scene.showOutputCurve = true; }},
        {"a point to the bottom", [&] { model.setPointValue(8, 0); }},
        {"panel gamma", [&] { scene.panelGamma = 1.4; }},
        {"every level a point", [&] { useTable(makeDefaultCurve(2.2), AllLevelsPointCountIndex); }},
        {"a level to the top", [&] { model.setPointValue(30, FullScale); }},
        {"three points", [&] { useTable(makeDefaultCurve(0.6), 0); }},
        {"output curve off", [&] { scene.showOutputCurve = false; }},
        {"the graph moved",
         [&] {
             scene.graphRect = {150, 20, 700, 590}, scene.plotRect = plotRectOf(scene.graphRect);
         }},
        {"drawn over by someone else", [&] { buffer.fill(qRgb(200, 0, 0)); }},
    };
    for (const qreal ratio : {1.0, 2.0}) {
        buffer = QImage(QSize(800, 600) * ratio, QImage::Format_RGB32);
        buffer.setDevicePixelRatio(ratio);
        buffer.fill(qRgb(10, 20, 30));
        useTable(identityTable(), DefaultPointCountIndex);
        graph.paint(buffer, scene);
        for (const auto& [name, change] : changes) {
            change();
            graph.paint(buffer, scene);
            QImage complete(buffer.size(), QImage::Format_RGB32);
            complete.setDevicePixelRatio(ratio);
            complete.fill(qRgb(10, 20, 30));
            CurveGraph().paint(complete, scene);
            const QRect g = scene.graphRect.toQRect();
            const QRect pixels(g.topLeft() * ratio, g.size() * ratio);
            EXPECT_EQ(buffer.copy(pixels), complete.copy(pixels)) << name << " at ratio " << ratio;
        }
    }
}

TEST(SpriteBitmaps, MasksArePixelExactAndImagesAreBlackOutsideThem) {
    const int inset[12] = {4, 2, 1, 1, 0, 0, 0, 0, 1, 1, 2, 4};
    const QImage markerMask = loadBitmap(139);
    const QImage marker = loadBitmap(135);
    ASSERT_EQ(markerMask.size(), QSize(12, 12));
    ASSERT_EQ(marker.size(), QSize(12, 12));
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 12; ++x) {
            const bool disc = x >= inset[y] && x < 12 - inset[y];
            EXPECT_EQ(markerMask.pixel(x, y), disc ? qRgb(0, 0, 0) : qRgb(255, 255, 255)) << x << "," << y;
            if (!disc) {
                EXPECT_EQ(marker.pixel(x, y), qRgb(0, 0, 0));
            }
        }
    }
    const QImage dotMask = loadBitmap(140);
    const QImage dot = loadBitmap(137);
    ASSERT_EQ(dotMask.size(), QSize(6, 6));
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 6; ++x) {
            const bool corner = (x == 0 || x == 5) && (y == 0 || y == 5);
            EXPECT_EQ(dotMask.pixel(x, y), corner ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
            if (corner) {
                EXPECT_EQ(dot.pixel(x, y), qRgb(0, 0, 0));
            }
        }
    }
}

}  // namespace
}  // namespace grayden
