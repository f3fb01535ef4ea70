#pragma once
// What the main window's tab panel asks of its owner: the frame to show.
class TabPanelListener {
public:
    virtual ~TabPanelListener() = default;
    // 0 the contacts frame, 1 the second frame.
    virtual void SelectFrame(int index) = 0;
};
