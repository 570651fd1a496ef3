#pragma once
// The pictures on the control panel's buttons, drawn as vectors so that they stay sharp at
// any screen scale.
#include <QIcon>

namespace kelmaz {

enum class ButtonPicture { GoTo, First, Back, Forward, Last, Replay, Stop, NewWindow, Clear };

QIcon buttonPicture(ButtonPicture picture);

}  // namespace kelmaz
