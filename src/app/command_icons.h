// The 16-pixel command images: the desktop theme's icon where it has one,
// else a picture drawn here, so the tool bar never shows empty buttons. The
// two writes (tags, list) are always drawn here, told apart by colour and
// by what the disk carries.
#pragma once

#include <QIcon>

#include "app/command_table.h"

namespace quilmark {

QIcon CommandIcon(CommandImage image);

}  // namespace quilmark
