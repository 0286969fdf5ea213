#pragma once

namespace tallyfin {

enum class ScreenAnswer;

// Tells the user, in the error box, why a screen tool got nothing: the
// desktop refused (Refused), or the screen could not be read (Failed).
// A cancel or a given answer needs no word.
void reportScreenUnread(ScreenAnswer answer);

} // namespace tallyfin
