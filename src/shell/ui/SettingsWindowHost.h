#pragma once
// What the settings window asks of the program around it beyond the state, options, settings
// table and engine it is given: the main window follows a changed option, and the sequence
// viewer and the match window (whichever exist at the time) hear of the choices they share.
namespace kelmaz {

class NetLink;
class ViewerLink;

class SettingsWindowHost {
  public:
    virtual ~SettingsWindowHost() = default;
    virtual void relayoutMainWindow() = 0;  // the board size, tint or label style changed
    // Before a choice clears the board: false when the user keeps the record as it is.
    virtual bool mayDiscardRecord() = 0;
    virtual void repaintBoard() = 0;  // the picture must be painted again
    virtual void setCommentaryShown(bool shown) = 0;
    virtual ViewerLink& viewer() = 0;
    virtual NetLink& net() = 0;
    // The replay speed changed; the sequence viewer's own speed bar follows.
    virtual void speedChanged(int milliseconds) = 0;
};

}  // namespace kelmaz
