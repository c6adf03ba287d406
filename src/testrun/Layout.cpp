#include "testrun/Layout.h"

namespace {
// The controls hold single precision; every step stores its double result the way they would.
void Set(float &property, double value)
{
    property = static_cast<float>(value);
}
} // namespace

bool Form_Resize(double W, double H, MainLayout &g)
{
    if (!(W > 0) && !(H > 0)) {
        return false;
    }
    constexpr double questionShare = 4.6;

    Set(g.Frame1.Width, W - 240);
    Set(g.Frame1.Height, H / questionShare);
    Set(g.Frame2.Width, g.Frame1.Width);
    Set(g.Frame2.Top, double(g.Frame1.Height) + g.Frame1.Top);
    Set(g.Frame2.Height, H - g.Frame1.Height - 1500);
    Set(g.Text1.Width, double(g.Frame1.Width) - 480);
    Set(g.Text1.Height, double(g.Frame1.Height) - 540);

    Set(g.FramePos.Top, double(g.Frame2.Height) + g.Frame2.Top);
    Set(g.FrameTime.Top, double(g.FramePos.Top) + 720);
    Set(g.FrameTestTime.Top, g.FramePos.Top);
    Set(g.FrameQuestTime.Top, g.FrameTime.Top);
    Set(g.FrameTrue.Top, g.FramePos.Top);
    Set(g.FrameFalse.Top, g.FrameTime.Top);

    Set(g.cmdNext.Left, W - g.cmdNext.Width - 120);
    Set(g.cmdNext.Top, double(g.FramePos.Top) + 100);
    Set(g.cmdCancel.Left, g.cmdNext.Left);
    Set(g.cmdCancel.Top, double(g.cmdNext.Height) + g.cmdNext.Top);

    Set(g.Frame3.Width, double(g.Frame2.Width) - 240);
    Set(g.Frame4.Width, g.Frame3.Width);
    Set(g.Frame5.Width, g.Frame3.Width);
    Set(g.Frame6.Width, g.Frame3.Width);
    Set(g.Frame3.Height, (double(g.Frame2.Height) - 700) / 4);
    Set(g.Frame4.Height, g.Frame3.Height);
    Set(g.Frame5.Height, g.Frame3.Height);
    Set(g.Frame6.Height, g.Frame3.Height);
    Set(g.Frame4.Top, double(g.Frame3.Height) + g.Frame3.Top + 60);
    Set(g.Frame5.Top, double(g.Frame4.Height) + g.Frame4.Top + 60);
    Set(g.Frame6.Top, double(g.Frame5.Height) + g.Frame5.Top + 60);

    Set(g.txtA.Width, double(g.Frame3.Width) - 600);
    Set(g.txtB.Width, g.txtA.Width);
    Set(g.txtC.Width, g.txtA.Width);
    Set(g.txtD.Width, g.txtA.Width);
    Set(g.txtA.Height, double(g.Frame3.Height) - 360);
    Set(g.txtB.Height, g.txtA.Height);
    Set(g.txtC.Height, g.txtA.Height);
    Set(g.txtD.Height, g.txtA.Height);

    Set(g.Image3.Top, double(g.FramePos.Top) + 120);
    Set(g.Image3.Left, double(g.FrameTrue.Width) + g.FrameTrue.Left + 120);
    return true;
}
