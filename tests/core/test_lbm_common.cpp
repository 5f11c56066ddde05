#include "EstadoGlobal.h"
#include "LBM_Common.h"
#include "ListadoTestigo.h"

#include "Entorno.h"
#include "Reportes.h"

#include "Dialogos.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vexa;

namespace {

TEST(FormularioComun, MayusculaKeyAscii)
{
    struct Caso { int tecla; int conBandera; };
    const Caso casos[] = {
        {'a', 'A'}, {'z', 'Z'}, {0xF1 /* ñ */, 0xD1 /* Ñ */}, {'A', 'A'}, {'5', '5'}, {'.', '.'},
        {0xE1 /* á */, 0xE1}, {0xFC /* ü */, 0xFC}, {8 /* Backspace */, 8}, {13 /* Enter */, 13}, {'-', '-'},
    };
    for (const Caso& c : casos) {
        EXPECT_EQ(MayusculaKeyAscii(qint16(c.tecla), true), c.conBandera) << c.tecla;
        EXPECT_EQ(MayusculaKeyAscii(qint16(c.tecla), false), c.tecla) << c.tecla;
    }
}

class Impresion : public ::testing::Test {
protected:
    void SetUp() override
    {
        plataforma::instalarReportes(&impresora);
        plataforma::fijarAhora(QDateTime(QDate(2003, 5, 14), QTime(9, 30)));
    }
    void TearDown() override
    {
        plataforma::instalarReportes(nullptr);
        plataforma::fijarAhora(QDateTime());
    }
    plataforma::ReportesGuion impresora;
};

// The page as printed: an empty line, date and time at column 60, two empty
// lines and the title at the left margin, all in size 10 underlined and bold;
// then, in size 8 without emphasis, two empty lines and the items in order.
TEST_F(Impresion, CabeceraYElementosEnOrden)
{
    using L = plataforma::LineaImpresa;
    // In Spanish whatever the machine's locale (the tests run under C.UTF-8).
    const QString fecha = QStringLiteral("Fecha: miércoles, 14 de mayo de 2003");
    const QString hora = QStringLiteral("Hora: 09:30");
    auto esperado = [&](const QString& titulo, const QStringList& items) {
        QList<L> r{{"", 1, 10, true, true}, {fecha, 60, 10, true, true}, {hora, 60, 10, true, true},
                   {"", 1, 10, true, true}, {"", 1, 10, true, true}, {titulo, 1, 10, true, true},
                   {"", 1, 8, false, false}, {"", 1, 8, false, false}};
        for (const QString& i : items) r << L{i, 1, 8, false, false};
        return r;
    };

    ImprimirLista({"uno", "dos", "tres"});
    ASSERT_EQ(impresora.emitidos.size(), 1);
    const auto& t = impresora.emitidos[0];
    EXPECT_EQ(t.titulo, "Listado Testigo");
    EXPECT_EQ(t.formato, esperado("Listado Testigo", {"uno", "dos", "tres"}));
    const QString sangria(59, u' ');
    EXPECT_EQ(t.lineas, (QStringList{"", sangria + fecha, sangria + hora, "", "", "Listado Testigo", "", "", "uno", "dos", "tres"}));

    ImprimirLista({"x"}, QStringLiteral("errores de la recepción"));
    ASSERT_EQ(impresora.emitidos.size(), 2);
    EXPECT_EQ(impresora.emitidos[1].titulo, "ERRORES DE LA RECEPCIÓN");
    EXPECT_EQ(impresora.emitidos[1].formato, esperado("ERRORES DE LA RECEPCIÓN", {"x"}));
}

// Without a printer the real one writes the document as a PDF in the documents
// folder and tells the operator where.
TEST(ImpresionReal, SinImpresoraGuardaUnPdf)
{
    if (!QPrinterInfo::defaultPrinter().isNull()) GTEST_SKIP() << "hay una impresora instalada";
    QTemporaryDir casa;
    const QByteArray homeAnterior = qgetenv("HOME");
    qputenv("HOME", casa.path().toUtf8());
    plataforma::GuionDialogos dialogos;
    plataforma::fijarAhora(QDateTime(QDate(2003, 5, 14), QTime(9, 30)));
    QStringList items;
    for (int i = 1; i <= 150; ++i) items << QStringLiteral("renglón %1").arg(i); // more than one page
    ImprimirLista(items, QStringLiteral("Registros grabados"));
    plataforma::fijarAhora(QDateTime());
    qputenv("HOME", homeAnterior);

    ASSERT_EQ(dialogos.mostrados.size(), 1);
    const QString aviso = dialogos.mostrados[0].texto;
    const QString prefijo = "No hay una impresora instalada. El listado se guardó en el archivo ";
    ASSERT_TRUE(aviso.startsWith(prefijo)) << aviso.toStdString();
    const QString pdf = aviso.mid(prefijo.size());
    EXPECT_TRUE(pdf.startsWith(casa.path())) << pdf.toStdString();
    EXPECT_TRUE(QFileInfo(pdf).fileName().startsWith("REGISTROS_GRABADOS_20030514_0930")) << pdf.toStdString();
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray datos = f.readAll();
    EXPECT_TRUE(datos.startsWith("%PDF"));
    // How many pages 150 items take depends on the monospace font installed;
    // at least two.
    const qsizetype hojas = datos.count("/Type /Page\n") + datos.count("/Type /Page\r");
    EXPECT_GE(hojas, 2) << "pages";

    // Read back: one header block on the first page, the items in list order
    // continuing on the next ones, no page header repeated.
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(p.waitForFinished(60000));
    const QString texto = QString::fromUtf8(p.readAllStandardOutput());
    const QStringList paginas = texto.split(QChar(u'\f'), Qt::SkipEmptyParts);
    ASSERT_EQ(paginas.size(), hojas);
    EXPECT_EQ(texto.count("REGISTROS GRABADOS"), 1);
    EXPECT_EQ(texto.count("Fecha: "), 1);
    EXPECT_LT(paginas[0].indexOf("Hora: "), paginas[0].indexOf("REGISTROS GRABADOS"));
    EXPECT_LT(paginas[0].indexOf("REGISTROS GRABADOS"), paginas[0].indexOf(QStringLiteral("renglón 1\n")));
    int antes = -1;
    for (int i = 1; i <= 150; ++i) {
        const int en = texto.indexOf(QRegularExpression(QStringLiteral("renglón %1\\n").arg(i)));
        EXPECT_GT(en, antes) << i;
        antes = en;
    }
    for (qsizetype i = 1; i < paginas.size(); ++i)
        EXPECT_TRUE(paginas[i].trimmed().startsWith(QStringLiteral("renglón"))) << "page " << i + 1;
}

// The machine speaks English: the listing's date still reads in Spanish.
TEST_F(Impresion, FechaEnCastellanoConLaMaquinaEnIngles)
{
    EXPECT_NE(QLocale::system().language(), QLocale::Spanish) << "run under LANG=C.UTF-8";
    plataforma::fijarAhora(QDateTime(QDate(2026, 12, 11), QTime(17, 5)));
    ImprimirLista({"x"});
    ASSERT_EQ(impresora.emitidos.size(), 1);
    const QStringList& l = impresora.emitidos[0].lineas;
    ASSERT_GE(l.size(), 3);
    EXPECT_EQ(l[1].trimmed(), QStringLiteral("Fecha: viernes, 11 de diciembre de 2026"));
    EXPECT_EQ(l[2].trimmed(), QStringLiteral("Hora: 17:05"));
}

TEST_F(Impresion, ListaVaciaNoImprimeNada)
{
    ImprimirLista({}, QStringLiteral("titulo"));
    EXPECT_TRUE(impresora.emitidos.isEmpty());
}

} // namespace
