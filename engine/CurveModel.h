#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>

#include "engine/ControlPoint.h"
#include "engine/FileFailure.h"
#include "engine/ModelSettings.h"
#include "engine/MonitorPort.h"
#include "engine/ToneFile.h"
#include "engine/ToneTable.h"
#include "engine/UndoRecord.h"

namespace grayden {

// What changed in the document, so its owner refreshes only what shows it.
enum class ModelChange {
    Rebuilt,       // points resampled: every view (the list with its columns, graph, texts, check boxes)
    PointDragged,  // the grabbed point follows the pointer: the graph and the point's readout
    PointsEdited,  // a drag ended or a value was typed: the list's values, the graph, the gamma text
    PanelGamma,    // the output curve and the gamma text
    OutputCurve,   // the graph alone
};

// The editor's curve document: three tables, the control points, the gamma parameters and the
// undo history, changed only through what the user does. Each operation records its own undo,
// reaches the monitor through the port and tells the owner what changed, synchronously and on
// the owner's thread.
class CurveModel {
public:
    using ChangeListener = std::function<void(ModelChange what)>;

    explicit CurveModel(MonitorPort& monitor, ChangeListener changed = {});

    const ToneTable& currentTable() const { return currentTable_; }    // drawn, listed, previewed, saved
    const ToneTable& sourceTable() const { return sourceTable_; }      // what the points were sampled from
    const ToneTable& baselineTable() const { return baselineTable_; }  // what the monitor holds permanently
    const ControlPointArray& points() const { return points_; }
    std::uint16_t pointCountIndex() const { return pointCountIndex_; }
    int livePointCount() const { return CurvePointCount[pointCountIndex_]; }
    double exponent() const { return exponent_; }
    double panelGamma() const { return panelGamma_; }
    bool previewOn() const { return previewOn_; }
    bool showOutputCurve() const { return showOutputCurve_; }
    const std::deque<UndoRecord>& undoHistory() const { return undoHistory_; }  // newest last
    bool canUndo() const { return !undoHistory_.empty(); }
    const std::string& filePath() const { return filePath_; }
    std::uint16_t windowWidth() const { return windowWidth_; }
    std::uint16_t windowHeight() const { return windowHeight_; }

    // True when the input level is the level of a live control point.
    bool isControlPointLevel(int level) const;
    // The live point at the level, or -1.
    int pointAtLevel(int level) const;
    // Accepts a typed output value 0..8160 and rewrites the text as its plain decimal form.
    static bool validateValueText(std::string& text);

    // The stored values, and the ones loaded at start-up; an index outside 0..6 becomes 2.
    ModelSettings settings() const;
    void restoreSettings(const ModelSettings& settings);
    void setWindowSize(std::uint16_t width, std::uint16_t height);

    // Start-up: the monitor's stored table becomes the baseline and the curve; nothing is written.
    void start(const ToneTable& stored);
    // A table installed as the new curve without an undo record or a preview (tools, start-up).
    void installTable(const ToneTable& table);

    // Dragging in the graph: one record per grab, the curve follows every move, the monitor
    // hears of it once, on release. False when k is not a live point.
    bool grabPoint(int k);
    bool dragPoint(int k, int value);
    void releasePoint();
    // A value typed for the control point at a level; false, recording nothing, when the level
    // holds no point (the list was refilled while the value was typed).
    bool enterPointValue(int level, int value);
    // Changes live point k and recomputes currentTable; false when k is not a live point.
    bool setPointValue(int k, int value);

    // Default Curve Setting confirmed with an exponent the dialog accepted.
    void applyDefaultCurve(double newExponent);
    // A computed curve (the DICOM greyscale curve) installed like the default curve: one undo
    // record (which brings the former point count back), sampled at the given point count index,
    // previewed while Preview is on. False, changing nothing, for an index outside 0..6.
    bool applyCurveTable(const ToneTable& table, int newPointCountIndex);
    // Number of Control Points confirmed with a count index 0..6; false for any other index.
    bool applyPointCount(int newIndex);
    // Panel Characteristic confirmed; false when the gamma stayed. Tables, points and the
    // monitor stay as they are.
    bool applyPanelGamma(double newPanelGamma);
    void setShowOutputCurve(bool on);

    // Reads a tone file and installs it; the failure names the file and why.
    ToneFileError loadToneFile(const std::string& path, FileFailure& failure);
    // The Open command after a file was chosen: one undo record, then the load.
    ToneFileError openToneFile(const std::string& path, FileFailure& failure);
    // Writes currentTable as a tone file, never destroying the old file.
    bool saveToneFile(const std::string& path, FileFailure& failure);

    // "Read from Monitor" and "Write to Monitor".
    bool readFromMonitor();
    bool writeToMonitor();
    // The Preview check box. Switched on, it remembers the monitor's preview table in the history
    // and previews currentTable; when that read fails nothing is recorded or written. Switched off
    // it sends nothing: the monitor keeps its preview table.
    bool setPreview(bool on);

    // One record saving table for the action; the history tops out at 257 records.
    void pushUndo(UndoAction action, const ToneTable& table);
    void undo();
    void clearUndo();

private:
    // Samples source at the current count into points, interpolates currentTable, refreshes.
    void rebuildFromTable(const ToneTable& source);
    // Makes what was just put into sourceTable the new curve.
    void installSourceTable();
    void previewIfOn();
    void notify(ModelChange what) const;

    MonitorPort& monitor_;
    ChangeListener changed_;
    ToneTable currentTable_{};
    ToneTable sourceTable_{};
    ToneTable baselineTable_{};
    ControlPointArray points_{};
    std::uint16_t pointCountIndex_ = DefaultPointCountIndex;
    double exponent_ = DefaultExponent;
    double panelGamma_ = DefaultPanelGamma;
    bool previewOn_ = false;
    bool showOutputCurve_ = false;
    std::deque<UndoRecord> undoHistory_;
    std::string filePath_;
    std::uint16_t windowWidth_ = 800;
    std::uint16_t windowHeight_ = 600;
};

}  // namespace grayden
