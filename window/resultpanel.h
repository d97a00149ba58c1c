// The right-hand column of page 1: the load diagram ("荷重図") with its span caption, the
// stress diagram ("応力図") with the three moment labels, and the result fields
// ("計算結果") with the verdict `hantei`. It shows what the core computed and keeps the
// 101 moment cells `Mgrid` of the shown result.
#pragma once

#include "beam/check.h"
#include "beam/diagrams.h"

#include <QHash>
#include <QImage>
#include <QWidget>

#include <optional>
#include <string>

class QLabel;

class ResultPanel : public QWidget {
    Q_OBJECT
public:
    explicit ResultPanel(QWidget *parent);

    void drawLoadDiagram(const beam::LoadDiagramTexts &in); // `kajuuzu`
    void setSpanCaption(const QString &span);
    void sakuzu(); // the stress diagram from `Mgrid`, `RMmax`, `RQa`, `RQb`

    // Every result field, the moment labels and `Mgrid`, then the stress diagram.
    void showResult(const beam::ResultTexts &result);
    // Recall in its two steps: the ten result fields with the verdict, then (after the
    // support and the unit system) the moment labels and `Mgrid` with the diagram.
    void setResultFields(const beam::ResultTexts &result);
    void setMoments(const beam::ResultTexts &result);
    // The shown result fields, moment labels and `Mgrid`.
    void readResult(beam::ResultTexts &result) const;

    // Empties the result fields that carry a unit (the moment, the reactions and the two
    // stresses): after a switch of the unit system they would name the wrong unit.
    void clearUnitFields();

    // The notice-rule texts of the shown result; nothing for a default-rule result.
    const std::optional<beam::NoticeTexts> &notice() const { return m_notice; }

    QString verdict() const;
    void setVerdict(const QString &verdict);
    const beam::MomentGrid &mgrid() const { return m_mgrid; }
    void setMgrid(const beam::MomentGrid &cells) { m_mgrid = cells; }
    const QImage &loadDiagramImage() const { return m_loadImage; }
    const QImage &stressDiagramImage() const { return m_stressImage; }

Q_SIGNALS:
    void spanCaptionClicked(); // a caption under the load diagram

private:
    void setupResults();
    void setupDiagrams();
    void showNotice(const std::optional<beam::NoticeTexts> &notice);
    void drawStressDiagram(beam::ReactionText reactions);
    QString field(const char *name) const;

    QHash<QString, QLabel *> m_results;
    QLabel *m_hantei = nullptr;
    QLabel *m_shearRatio = nullptr; // "τ/fs 0.362" beside σb/fb under the notice rule
    std::optional<beam::NoticeTexts> m_notice;
    QLabel *m_Menda = nullptr, *m_Mendb = nullptr, *m_Mcent = nullptr;
    QLabel *m_kajuuzu = nullptr, *m_ouryokuzu = nullptr, *m_kajuuL = nullptr;
    beam::MomentGrid m_mgrid;
    QImage m_loadImage;
    QImage m_stressImage;
};
