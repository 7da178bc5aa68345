#pragma once

#include <QImage>
#include <QWidget>

class TdxfShapedForm;

// The start-up splash: a borderless window cut to the outline of its picture, dragged by any
// press on it. It is shown from its creation until the start-up wait ends.
class TSplash : public QWidget {
    Q_OBJECT
public:
    // picture: the splash picture; a null image uses the built-in one.
    explicit TSplash(const QImage& picture = {}, QWidget* parent = nullptr);

    [[nodiscard]] TdxfShapedForm* ShapedForm() const { return dxfShapedForm1; }
    static constexpr int SplashWidth = 375;
    static constexpr int SplashHeight = 255;

protected:
    void showEvent(QShowEvent* event) override;

private:
    TdxfShapedForm* dxfShapedForm1;
};

// The built-in splash picture: a closed album on a background of its corner colour.
[[nodiscard]] QImage BuiltInSplashPicture();
