#pragma once

#include <QByteArray>

namespace bidwarden {

// Whether an OpenGL renderer string ("llvmpipe (LLVM 15.0.6, 256 bits)")
// names a rasteriser that draws on the processor rather than a GPU.
bool isSoftwareRenderer(const QByteArray &renderer);

// How the windows holding pages are drawn.
enum class RendererChoice {
    Default,    // composed with OpenGL, as Qt does by default
    Software,   // Qt Quick's software scene graph: pages raster in software
    UsersChoice // the user's QT_QUICK_BACKEND or engine flags decide, as Qt reads them
};

// Where the platform's OpenGL is a software rasteriser (most virtual
// machines, remote desktops, Xvfb), composing each repaint with OpenGL costs
// more than it saves: the pages are drawn the software way there. With a
// GPU, nothing changes. To be called after the application object is made
// (with its OpenGL context shared) and before the first page.
RendererChoice chooseRenderer();

} // namespace bidwarden
