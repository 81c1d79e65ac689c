#pragma once

#include <cstdint>
#include <deque>
#include <string>

#include "engine/ControlPoint.h"
#include "engine/GammaCurves.h"
#include "engine/ModelOwner.h"
#include "engine/ToneTable.h"
#include "engine/UndoRecord.h"

namespace grayden {

// The editor's curve state: three tables, the control points, the gamma parameters and the
// undo history. Everything runs on the owner's thread; the owner's services refresh the views,
// write to the monitor and show messages.
class CurveModel {
public:
    explicit CurveModel(ModelOwner& owner);

    ToneTable currentTable{};   // drawn, listed, previewed, written and saved
    ToneTable sourceTable{};    // what the points were last sampled from
    ToneTable baselineTable{};  // what the monitor holds permanently
    ControlPointArray points{};
    std::uint16_t pointCountIndex = DefaultPointCountIndex;
    double exponent = DefaultExponent;
    double panelGamma = DefaultPanelGamma;
    bool previewOn = false;
    bool showOutputCurve = false;
    std::deque<UndoRecord> undoHistory;  // newest last
    std::string filePath;
    std::uint16_t windowWidth = 800;
    std::uint16_t windowHeight = 600;

    int livePointCount() const { return CurvePointCount[pointCountIndex]; }
    // True when the input level is the level of a live control point.
    bool isControlPointLevel(int level) const;

    // Samples source at the current count into points, interpolates currentTable, refreshes.
    void rebuildFromTable(const ToneTable& source);
    // Makes what the caller just put into sourceTable the new curve.
    void installSourceTable();
    // Changes live point k and recomputes currentTable; false when k is not a live point.
    bool setPointValue(int k, int value);
    // Accepts a typed output value 0..8160 and rewrites the text as its plain decimal form.
    static bool validateValueText(std::string& text);

    void pushUndo(const ToneTable& table, const UndoEffects& effects);
    void undo();
    void clearUndo();
    bool canUndo() const { return !undoHistory.empty(); }

    // Default Curve Setting confirmed with an exponent the dialog accepted.
    void applyDefaultCurve(double newExponent);
    // A computed curve (the DICOM greyscale curve) installed like the default curve: one undo
    // record (which brings the former point count back), sampled at the given point count index,
    // previewed while Preview is on. False, changing nothing, for an index outside 0..6.
    bool applyCurveTable(const ToneTable& table, int newPointCountIndex);
    // Number of Control Points confirmed with a count index 0..6; false for any other index.
    bool applyPointCount(int newIndex);
    // Panel Characteristic confirmed; returns whether the gamma changed, so the caller repaints
    // the graph and the gamma text. Tables, points and the monitor stay as they are.
    bool applyPanelGamma(double newPanelGamma);

    // Reads a tone file into sourceTable and installs it; tells the owner why it failed.
    bool loadToneFile(const std::string& path);
    // Writes currentTable as a tone file, never destroying the old file; tells the owner of a failure.
    bool saveToneFile(const std::string& path);
    // The Open command after a file was chosen: one undo record, then the load.
    bool openToneFile(const std::string& path);

    // Writes currentTable to the monitor's preview table when Preview is on.
    void previewIfOn();

private:
    ModelOwner& owner_;
};

}  // namespace grayden
