#pragma once
// Which factory each control section of the wizard's pages goes through, so
// that a skin can be rendered before (and apart from) the pages themselves.
#include <QString>

namespace orv::skinshot {

enum class Kind { PicButton, Text, Edit, CheckBox, Radio, Combo, Push, Progress, List };

// The kind of control `name` on `page`; controls the table does not know are
// guessed from their keys (normalImage, text0, caption) and name.
Kind KindOf(const QString& page, const QString& name, bool hasNormalImage, bool hasItems, bool hasCaption);

// Controls a page creates hidden or hides in its first state.
bool StartsHidden(const QString& page, const QString& name);

} // namespace orv::skinshot
