#pragma once

namespace NsOrvelA
{
class MainComp;
class MappableButton;

/** Brings the editor in line with the map and the shared editing state after every change of
    model, slot, workstation or selected control, and after a map file was loaded. The editor
    holds no copy of the map: every caption, title and toggle is rebuilt from the live tree.

    A map file may name no valid unit or slot (0, or past the last): such a map shows nothing and
    the refresh writes nothing for it, rather than reading or writing out of range. */
class EditorRefresh final
{
public:
    explicit EditorRefresh (MainComp& editorToRefresh) noexcept : editor (editorToRefresh) {}

    /** The full refresh: every unit's slots take the editor's slot workstations and selected slot,
        and the sections show the model, the slots and the fader lock of the current slot. */
    void refreshFromModel();

    /** The section tabs, the model chooser and the tree's current unit for a model. */
    bool applyModel (int productId);

    /** The captions, tooltips and titles of the sections. */
    void refreshAllPanels();

    /** Makes a surface-control button the current control and shows its assignment. */
    void selectControl (MappableButton& button);

private:
    void showFaderLock();

    MainComp& editor;
};
} // namespace NsOrvelA
