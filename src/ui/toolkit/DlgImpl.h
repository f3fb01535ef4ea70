#pragma once
// DlgImpl: a full-screen dialog whose content is made of ordinary Qt widgets: a caption line at
// the top, the content area (Content(), a vertical layout that OnInitDialog fills) and the
// soft-key bar at the bottom.
#include <QString>

#include "ui/toolkit/DlgBase.h"

class QVBoxLayout;

class DlgImpl : public DlgBase {
public:
    explicit DlgImpl(QString caption = {}) : caption_(std::move(caption)) {}
    // The caption line; set before the dialog opens.
    void SetCaption(QString caption) { caption_ = std::move(caption); }
    const QString& Caption() const { return caption_; }

protected:
    // Adds the caption and the content area, then calls OnInitContent.
    [[nodiscard]] bool OnInitDialog() override;
    [[nodiscard]] virtual bool OnInitContent() { return true; }
    QVBoxLayout* Content() const { return content_; }
    void Paint(QPainter& painter, const QRect& exposed) override;

private:
    void GrowContentIfItStretches(QVBoxLayout& outer);

    QString caption_;
    QVBoxLayout* content_ = nullptr;
};
