#pragma once

#include <QDialog>
#include <QPixmap>
#include <QString>

#include <functional>

class QLabel;

namespace blachorys::gui {

/**
 * The results scheme: a general picture of what the active calculator computes, for the
 * development chosen in it. The picture follows the calculator each time the dialog is
 * activated; with no calculator active, the last picture stays.
 */
class TWynikiSchemat final : public QDialog {
    Q_OBJECT

public:
    static constexpr int kClientWidth = 454;
    static constexpr int kClientHeight = 453;
    static constexpr int kPictureWidth = 437;
    static constexpr int kPictureHeight = 350;

    /** `activePicture` names the active calculator's picture, or is empty with none active. */
    explicit TWynikiSchemat(std::function<QString()> activePicture, QWidget* parent = nullptr);

    /** Name of the picture shown ("w_rr_r"); empty before the first one. */
    QString pictureName() const { return m_pictureName; }

    /**
     * The scheme picture from an SVG file or resource, fitted to the picture area on white;
     * plain white when there is no such picture.
     */
    static QPixmap renderPicture(const QString& path);
    /** The resource of a scheme picture: ":/schemes/<name>.svg". */
    static QString resourcePath(const QString& name);

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void choosePicture();

    std::function<QString()> m_activePicture;
    QLabel* m_image = nullptr;
    QString m_pictureName;
};

} // namespace blachorys::gui
