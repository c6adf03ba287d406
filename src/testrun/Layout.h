#pragma once

// Geometry of the question window in twips (15 to a pixel at 96 dpi). Values are single precision, as the
// controls hold them; the arithmetic between them is double.
struct TwipRect
{
    float Left = 0;
    float Top = 0;
    float Width = 0;
    float Height = 0;
};

// The controls that the layout moves or resizes, at their design geometry until laid out.
struct MainLayout
{
    TwipRect Frame1{120, 0, 9255, 1455};
    TwipRect Text1{240, 360, 8775, 975};
    TwipRect Frame2{120, 1560, 9255, 3855};
    TwipRect Frame3{120, 360, 9015, 735};
    TwipRect Frame4{120, 1320, 9015, 735};
    TwipRect Frame5{120, 2160, 9015, 735};
    TwipRect Frame6{120, 3000, 9015, 735};
    TwipRect txtA{480, 240, 8415, 375};
    TwipRect txtB{480, 240, 8415, 375};
    TwipRect txtC{480, 240, 8415, 375};
    TwipRect txtD{480, 240, 8415, 375};
    TwipRect FramePos{120, 5520, 2175, 615};
    TwipRect FrameTime{120, 6240, 2175, 615};
    TwipRect FrameTestTime{2400, 5520, 2175, 615};
    TwipRect FrameQuestTime{2400, 6240, 2175, 615};
    TwipRect FrameTrue{4680, 5520, 2175, 615};
    TwipRect FrameFalse{4680, 6240, 2175, 615};
    TwipRect cmdNext{7920, 5520, 1455, 495};
    TwipRect cmdCancel{7920, 6000, 1455, 495};
    TwipRect Image3{7080, 5640, 360, 360};
};

// Lays the window out for a client area of W x H twips, each step reading what the earlier ones set.
// A minimised window (neither W nor H above zero) changes nothing; returns whether anything was laid out.
bool Form_Resize(double W, double H, MainLayout &g);
