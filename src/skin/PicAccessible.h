#pragma once
// What assistive technology (a screen reader) learns about the skinned
// controls: a picture button is a button ("Next, button") that can be
// pressed, a clickable text a link, any other text static text whose name is
// what it shows. Installed once, before the first page is made.
namespace orv {

void InstallPicAccessibility();

} // namespace orv
