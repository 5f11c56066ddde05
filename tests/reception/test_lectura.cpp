// The streaming reader of interface files and the store of a run's results: no database.
#include "ArchivoTexto.h"
#include "DefinicionInterfaz.h"
#include "LectorInterfaz.h"
#include "ResultadosRecepcion.h"
#include "Utilidades.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <random>

#include <sys/stat.h>
#include <unistd.h>

using namespace vexa;
using namespace vexa::recepcion;

namespace {

QString q(const char* s) { return QString::fromUtf8(s); }
constexpr qsizetype kilo64() { return 64 * 1024; }

class Lectura : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString escribir(const QByteArray& bytes, const char* nombre = "archivo.txt")
    {
        const QString ruta = dir.filePath(QString::fromUtf8(nombre));
        QFile f(ruta);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
        return ruta;
    }
    // Every line of the file; each one's text read again at its place must be the same.
    std::vector<LineaLeida> leer(const QString& ruta, qint64 tope = LectorInterfaz::kLargoMaximoDelimitado,
                                 Codificacion* cod = nullptr)
    {
        LectorInterfaz l(ruta, tope);
        EXPECT_TRUE(l.abrir()) << l.error().toStdString();
        std::vector<LineaLeida> r;
        LineaLeida x;
        while (l.siguiente(x)) {
            EXPECT_EQ(x.numero, qint64(r.size()) + 1);
            if (x.texto.size() > 0 || x.largo == 0) EXPECT_EQ(l.lineaEn(x.posicion, x.largo), x.texto) << "linea " << x.numero;
            r.push_back(x);
        }
        EXPECT_TRUE(l.error().isEmpty()) << l.error().toStdString();
        if (cod) *cod = l.codificacion();
        return r;
    }
    QStringList textos(const std::vector<LineaLeida>& v)
    {
        QStringList r;
        for (const auto& l : v) r << l.texto;
        return r;
    }
};

TEST_F(Lectura, FinesDeLinea)
{
    struct Caso {
        const char* nombre;
        QByteArray bytes;
        QStringList esperado;
    };
    const Caso casos[] = {
        {"vacio", "", {}},
        {"LF", "a\nb\n", {"a", "b"}},
        {"CR LF", "a\r\nb\r\n", {"a", "b"}},
        {"CR solo", "a\rb\rc\r", {"a", "b", "c"}},
        {"mezcla", "a\r\nb\rc\nd", {"a", "b", "c", "d"}},
        {"sin fin al final", "a\nb", {"a", "b"}},
        {"solo un fin de linea", "\n", {""}},
        {"solo CR LF", "\r\n", {""}},
        {"CR CR es una linea vacia", "a\r\rb", {"a", "", "b"}},
        {"LF CR son dos fines", "a\n\rb", {"a", "", "b"}},
        {"CR CR LF deja lineas vacias", "a\r\r\nb\r\r\n", {"a", "", "b", ""}},
        {"lineas vacias con CR LF", "\r\n\r\n", {"", ""}},
        {"CR final sin LF", "a\r\nb\r", {"a", "b"}},
        {"blancos y tabuladores se conservan", " a\t \r", {" a\t "}},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(textos(leer(escribir(c.bytes))), c.esperado) << c.nombre;
        EXPECT_EQ(ArchivoTexto::lineas(c.bytes), c.esperado) << c.nombre;
        QStringList l;
        EXPECT_TRUE(ArchivoTexto::leer(escribir(c.bytes), l)) << c.nombre;
        EXPECT_EQ(l, c.esperado) << c.nombre;
        // As a reception reads: the empty lines are passed by, the others keep their numbers.
        LectorInterfaz lector(escribir(c.bytes));
        lector.setOmitirVacias(true);
        ASSERT_TRUE(lector.abrir());
        QStringList vistos, esperados;
        for (LineaLeida x; lector.siguiente(x);) vistos << QStringLiteral("%1:%2").arg(x.numero).arg(x.texto);
        for (int i = 0; i < c.esperado.size(); ++i)
            if (!c.esperado[i].isEmpty()) esperados << QStringLiteral("%1:%2").arg(i + 1).arg(c.esperado[i]);
        EXPECT_EQ(vistos, esperados) << c.nombre;
    }
}

// Line ends and multi-byte characters across the reader's 64 KiB chunks: the
// lines, their places and their texts are those of the whole-file split.
TEST_F(Lectura, FinesDeLineaEntreBloques)
{
    std::mt19937 azar(7);
    const char* fines[] = {"\r\n", "\n", "\r"};
    const char* trozos[] = {"x", "ñ", "€", "abc;def"};
    QByteArray bytes;
    while (bytes.size() < 600 * 1024) {
        const int largo = int(azar() % 300);
        for (int i = 0; i < largo; ++i) bytes += trozos[azar() % 4];
        bytes += fines[azar() % 3];
    }
    const auto lineas = leer(escribir(bytes));
    const QStringList esperado = ArchivoTexto::separarLineas(QString::fromUtf8(bytes));
    EXPECT_EQ(textos(lineas), esperado);
    qint64 fin = 0;
    for (const auto& l : lineas) {
        EXPECT_GE(l.posicion, fin) << l.numero;
        EXPECT_TRUE(l.problema.isEmpty()) << l.numero;
        EXPECT_EQ(l.caracteres, l.texto.size());
        fin = l.posicion + l.largo;
    }

    // A CR LF split by the chunk boundary is one ending.
    QByteArray borde(kilo64() - 1, 'a');
    borde += "\r\nb\r\n";
    EXPECT_EQ(textos(leer(escribir(borde))), (QStringList{QString(kilo64() - 1, u'a'), "b"}));
}

TEST_F(Lectura, Codificaciones)
{
    const QByteArray ascii70k = [] {
        QByteArray b;
        while (b.size() < 70 * 1024) b += "01/03/2026;FC;0001-00000126-A\r\n";
        return b;
    }();
    const qsizetype nAscii = ascii70k.count('\n');
    struct Caso {
        const char* nombre;
        QByteArray bytes;
        Codificacion codificacion;
        QStringList esperado;              // the texts of the lines after the ASCII block, if any
        std::vector<const char*> problemas; // one per line listed in esperado ("" for none)
        bool conBloque = false;
    };
    const Caso casos[] = {
        {"UTF-8", "Recepción\n", Codificacion::Utf8, {q("Recepción")}, {""}},
        {"UTF-8 con marca", "\xEF\xBB\xBF" "Peña\n", Codificacion::Utf8, {q("Peña")}, {""}},
        {"marca UTF-8 y un byte invalido", "\xEF\xBB\xBF" "Pe\xF1" "a\r\nPeña\r\n", Codificacion::Utf8, {q("Pe\xEF\xBF\xBD" "a"), q("Peña")},
         {"La línea contiene un byte no válido en UTF-8 (0xF1) en la posición 3", ""}},
        {"Windows-1252", "Pe\xF1" "a \x80 \x93x\x94\r\n", Codificacion::Windows1252, {q("Peña € “x”")}, {""}},
        {"solo ASCII", "abc\n", Codificacion::Indefinida, {"abc"}, {""}},
        {"solo la marca UTF-8", "\xEF\xBB\xBF", Codificacion::Utf8, {}, {}},
        {"solo la marca UTF-16", "\xFF\xFE", Codificacion::Utf16LE, {}, {}},
        {"UTF-16 LE con marca", QByteArray("\xFF\xFE" "a\0\r\0\n\0\xF1\0b\0\r\0c\0", 16), Codificacion::Utf16LE, {"a", q("ñb"), "c"}, {"", "", ""}},
        {"UTF-16 BE con marca", QByteArray("\xFE\xFF\0a\0\n\x20\xAC\0\r", 10), Codificacion::Utf16BE, {"a", q("€")}, {"", ""}},
        {"UTF-16 LE sin marca", QByteArray("a\0b\0\r\0\n\0c\0", 10), Codificacion::Utf16LE, {"ab", "c"}, {"", ""}},
        {"UTF-16 BE sin marca", QByteArray("\0a\0b\0\n\0c", 8), Codificacion::Utf16BE, {"ab", "c"}, {"", ""}},
        {"UTF-16 con medio caracter al final", QByteArray("\xFF\xFE" "a\0\n\0b", 7), Codificacion::Utf16LE, {"a", q("\xEF\xBF\xBD")},
         {"", "La línea contiene un carácter no válido en UTF-16 en la posición 1"}},
        {"carácter nulo", QByteArray("ab\0c\nok\n", 8), Codificacion::Indefinida, {QString("ab") + QChar(0) + "c", "ok"},
         {"La línea contiene un carácter nulo (NUL) en la posición 3", ""}},
        {"Windows-1252 tras 70 KiB de ASCII", ascii70k + "Pe\xF1" "a\r\n", Codificacion::Windows1252, {q("Peña")}, {""}, true},
        // The invalid byte lies beyond the window that decided UTF-8.
        {"UTF-8 tras 70 KiB de ASCII y luego un byte invalido", ascii70k + "Peña\r\n" + ascii70k + "x\xFF\r\n", Codificacion::Utf8,
         {"01/03/2026;FC;0001-00000126-A", q("x\xEF\xBF\xBD")}, {"", "La línea contiene un byte no válido en UTF-8 (0xFF) en la posición 2"}, true},
    };
    for (const auto& c : casos) {
        Codificacion cod;
        auto lineas = leer(escribir(c.bytes), LectorInterfaz::kLargoMaximoDelimitado, &cod);
        EXPECT_EQ(cod, c.codificacion) << c.nombre;
        if (c.conBloque) { // only the last lines matter; the ones before are the ASCII block's
            ASSERT_GE(qsizetype(lineas.size()), nAscii + c.esperado.size()) << c.nombre;
            lineas.erase(lineas.begin(), lineas.end() - c.esperado.size());
        }
        EXPECT_EQ(textos(lineas), c.esperado) << c.nombre;
        ASSERT_EQ(lineas.size(), c.problemas.size()) << c.nombre;
        for (size_t i = 0; i < lineas.size(); ++i) EXPECT_EQ(lineas[i].problema, q(c.problemas[i])) << c.nombre << " linea " << i + 1;
        // The whole-file reading agrees on these files.
        QStringList todas;
        ASSERT_TRUE(ArchivoTexto::leer(escribir(c.bytes), todas));
        EXPECT_EQ(todas.mid(todas.size() - c.esperado.size()), c.esperado) << c.nombre;
    }
}

// A fixed-width definition caps a line at its total width, but blanks past it
// are padding (older systems pad their lines); anything else makes it too long.
TEST_F(Lectura, AnchoFijoConRellenoDeBlancos)
{
    const std::vector<CampoInterfaz> campos{CampoInterfaz{QStringLiteral("A"), {}, {}, 3}, CampoInterfaz{QStringLiteral("B"), {}, {}, 4}};
    CabeceraInterfaz fija;
    fija.TipoArchivo = QStringLiteral("F");
    const DefinicionInterfaz def(fija, campos);
    ASSERT_EQ(largoMaximoLinea(def), 7);
    struct Caso {
        const char* nombre;
        QByteArray bytes; // the whole file; the line of interest is the first
        QString texto;    // expected text; empty: too long
        qint64 caracteres;
    };
    const QByteArray megaBlancos(3 * 1024 * 1024, ' ');
    const Caso casos[] = {
        {"justo en el ancho", "abc1234\nok\n", q("abc1234"), 7},
        {"relleno de blancos", "abc1234      \r\nok\n", q("abc1234"), 13},
        {"blancos dentro del ancho y despues", "ab  12     \nok\n", q("ab  12 "), 11},
        {"tres megas de blancos", "abc1234" + megaBlancos + "\nok\n", q("abc1234"), 7 + megaBlancos.size()},
        {"texto despues del ancho", "abc1234  x\nok\n", QString(), 10},
        {"texto tras megas de blancos", "abc1234" + megaBlancos + "x\nok\n", QString(), 8 + megaBlancos.size()},
        {"UTF-8 en el ancho con relleno", "\xEF\xBB\xBF\xC3\xB1\xC3\xB1\xC3\xB1" "1234   \nok\n", q("ñññ1234"), 10},
        {"UTF-8 despues del ancho", "\xEF\xBB\xBF" "abc1234 \xC3\xB1\nok\n", QString(), 9},
        {"UTF-16 con relleno", QByteArray("\xFF\xFE" "a\0b\0c\0" "1\0" "2\0" "3\0" "4\0" " \0" " \0" "\n\0" "o\0k\0", 26), q("abc1234"), 9},
    };
    for (const auto& c : casos) {
        LectorInterfaz l(escribir(c.bytes), def);
        ASSERT_TRUE(l.abrir()) << c.nombre;
        LineaLeida a, b;
        ASSERT_TRUE(l.siguiente(a)) << c.nombre;
        ASSERT_TRUE(l.siguiente(b)) << c.nombre;
        EXPECT_EQ(b.texto, "ok") << c.nombre;
        EXPECT_EQ(a.caracteres, c.caracteres) << c.nombre;
        if (c.texto.isEmpty()) {
            EXPECT_TRUE(a.texto.isEmpty()) << c.nombre;
            EXPECT_EQ(a.problema, QStringLiteral("La línea tiene %1 caracteres, más que el máximo de 7").arg(c.caracteres)) << c.nombre;
        } else {
            EXPECT_EQ(a.texto, c.texto) << c.nombre;
            EXPECT_TRUE(a.problema.isEmpty()) << c.nombre << ": " << a.problema.toStdString();
        }
    }
    // A delimited definition keeps its generous cap, blanks or not.
    CabeceraInterfaz delimitada;
    delimitada.TipoArchivo = QStringLiteral("D");
    delimitada.Separador = QStringLiteral(";");
    const DefinicionInterfaz defDelimitada(delimitada, campos);
    LectorInterfaz d(escribir("abc;1234" + QByteArray(LectorInterfaz::kLargoMaximoDelimitado, ' ') + "\n"), defDelimitada);
    ASSERT_TRUE(d.abrir());
    LineaLeida x;
    ASSERT_TRUE(d.siguiente(x));
    EXPECT_FALSE(x.problema.isEmpty());
}

TEST_F(Lectura, LineaDemasiadoLarga)
{
    struct Caso {
        const char* nombre;
        qint64 tope;
        QByteArray linea;
        qint64 caracteres; // 0: within the cap
    };
    const Caso casos[] = {
        {"justo en el tope", 73, QByteArray(73, 'x'), 0},
        {"un caracter de mas", 73, QByteArray(74, 'x'), 74},
        {"diez megas sin fin de linea intermedio", LectorInterfaz::kLargoMaximoDelimitado, QByteArray(10 * 1024 * 1024, 'x'), 10 * 1024 * 1024},
        {"UTF-8 cuenta caracteres, no bytes", 4, "ññññ", 0},
        {"UTF-8 de mas", 4, "ñññññ", 5},
        {"bytes sueltos de continuacion", 4, QByteArray(100, '\x80'), 100},
    };
    for (const auto& c : casos) {
        const auto lineas = leer(escribir("\xEF\xBB\xBF" + c.linea + "\r\nok\n"), c.tope);
        ASSERT_EQ(lineas.size(), 2u) << c.nombre;
        const LineaLeida& l = lineas[0];
        EXPECT_EQ(l.largo, c.linea.size()) << c.nombre;
        EXPECT_EQ(lineas[1].texto, "ok") << c.nombre;
        EXPECT_EQ(lineas[1].posicion, 3 + c.linea.size() + 2) << c.nombre;
        if (c.caracteres == 0) {
            EXPECT_EQ(l.texto, QString::fromUtf8(c.linea)) << c.nombre;
            EXPECT_TRUE(l.problema.isEmpty()) << c.nombre;
        } else {
            EXPECT_TRUE(l.texto.isEmpty()) << c.nombre;
            EXPECT_FALSE(l.problema.isEmpty()) << c.nombre;
            if (c.caracteres > 0)
                EXPECT_EQ(l.problema, QStringLiteral("La línea tiene %1 caracteres, más que el máximo de %2").arg(c.caracteres).arg(c.tope))
                    << c.nombre;
        }
    }
}

TEST_F(Lectura, ArchivoInexistenteOCarpeta)
{
    const QString falta = dir.filePath("no_esta.txt");
    LectorInterfaz l(falta);
    EXPECT_FALSE(l.abrir());
    const QStringList m = l.error().split(u'\n');
    ASSERT_EQ(m.size(), 2);
    EXPECT_EQ(m[0], "No se encuentra el archivo " + falta);
    EXPECT_FALSE(m[1].isEmpty());
    LineaLeida x;
    EXPECT_FALSE(l.siguiente(x));

    LectorInterfaz c(dir.path());
    EXPECT_FALSE(c.abrir());
    EXPECT_TRUE(c.error().startsWith("No se puede leer el archivo " + dir.path() + ": es una carpeta\n")) << c.error().toStdString();

    QStringList lineas{"x"};
    QString error;
    EXPECT_FALSE(ArchivoTexto::leer(falta, lineas, &error));
    EXPECT_TRUE(lineas.isEmpty());
    EXPECT_TRUE(error.startsWith("No se encuentra el archivo " + falta)) << error.toStdString();
}

// Run by an unprivileged user (root reads every file): a child process gives up root first.
TEST_F(Lectura, ArchivoSinPermisoDeLectura)
{
    const QString ruta = escribir("a\n");
    ASSERT_EQ(::chmod(QFile::encodeName(ruta).constData(), 0), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
    const QString esperado = "No se puede leer el archivo " + ruta + ": permiso denegado";
    auto probar = [&] {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) std::_Exit(3);
        LectorInterfaz l(ruta);
        if (l.abrir()) std::_Exit(1);
        const QStringList m = l.error().split(u'\n');
        std::fprintf(stderr, "%s\n", qPrintable(l.error()));
        std::_Exit(m.size() == 2 && m[0] == esperado && !m[1].isEmpty() ? 0 : 2);
    };
    EXPECT_EXIT(probar(), ::testing::ExitedWithCode(0), "permiso denegado");
}

TEST(ResultadosRecepcion, TextosComoSeListanYSenales)
{
    QTemporaryDir dir;
    const QString ruta = dir.filePath("v.txt");
    {
        QFile f(ruta);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("uno\rdos;Pe\xF1" "a\r\ntres\n");
    }
    LectorInterfaz lector(ruta);
    ASSERT_TRUE(lector.abrir());
    std::vector<ResultadosRecepcion::Fila> lote;
    LineaLeida l;
    while (lector.siguiente(l))
        lote.push_back({l.numero, l.posicion, l.largo, l.numero == 2 ? QStringLiteral("El importe debe ser mayor a cero") : QString()});
    ASSERT_EQ(lote.size(), 3u);

    ResultadosRecepcion r;
    r.fijarTextoLinea([&](qint64 p, qint64 n) { return lector.lineaEn(p, n); });
    std::vector<std::pair<int, int>> insertadasG, insertadasR;
    QObject::connect(r.modeloGrabados(), &QAbstractItemModel::rowsInserted,
                     [&](const QModelIndex&, int a, int b) { insertadasG.emplace_back(a, b); });
    QObject::connect(r.modeloRechazados(), &QAbstractItemModel::rowsInserted,
                     [&](const QModelIndex&, int a, int b) { insertadasR.emplace_back(a, b); });
    r.agregar(lote);
    r.agregar({{10, 0, 3, QStringLiteral("El importe debe ser mayor a cero")}});
    EXPECT_EQ(insertadasG, (std::vector<std::pair<int, int>>{{0, 1}}));
    EXPECT_EQ(insertadasR, (std::vector<std::pair<int, int>>{{0, 0}, {1, 1}}));
    EXPECT_EQ(r.textos(ResultadosRecepcion::Lista::Grabados), (QStringList{"Linea:  1  uno", "Linea:  3  tres"}));
    EXPECT_EQ(r.textos(ResultadosRecepcion::Lista::Rechazados),
              (QStringList{"Linea:  2  El importe debe ser mayor a cero", "Linea:  10  El importe debe ser mayor a cero"}));
    EXPECT_EQ(r.mensajesDistintos(), 1);
    const auto* m = r.modeloGrabados();
    EXPECT_EQ(m->rowCount(), 2);
    EXPECT_EQ(m->data(m->index(1)).toString(), "Linea:  3  tres");
    EXPECT_FALSE(m->data(m->index(2)).isValid());
    // The rejected line is still at hand by its place.
    const auto f = r.fila(ResultadosRecepcion::Lista::Rechazados, 0);
    EXPECT_EQ(lector.lineaEn(f.posicion, f.largo), q("dos;Peña"));

    int reinicios = 0;
    QObject::connect(r.modeloRechazados(), &QAbstractItemModel::modelReset, [&] { ++reinicios; });
    r.limpiar();
    EXPECT_EQ(reinicios, 1);
    EXPECT_EQ(r.modeloGrabados()->rowCount(), 0);
    EXPECT_EQ(r.cantidad(ResultadosRecepcion::Lista::Rechazados), 0);
}

TEST(ResultadosRecepcion, UnMillonDeLineasOcupanPoco)
{
    const QString mensajes[] = {
        QStringLiteral("El campo fecha no contiene datos validos"),
        QStringLiteral("El tipo de comprobante (FX) no existe, o las equivalencias no son correctas "),
        QStringLiteral("El importe debe ser mayor a cero"),
    };
    ResultadosRecepcion r;
    r.fijarTextoLinea([](qint64 p, qint64 n) { return QStringLiteral("%1/%2").arg(p).arg(n); });
    qint64 filasAvisadas = 0;
    for (auto* m : {r.modeloGrabados(), r.modeloRechazados()})
        QObject::connect(m, &QAbstractItemModel::rowsInserted, [&](const QModelIndex&, int a, int b) { filasAvisadas += b - a + 1; });
    constexpr qint64 kLineas = 1000000;
    std::vector<ResultadosRecepcion::Fila> lote;
    for (qint64 n = 1; n <= kLineas; ++n) {
        // Each message a fresh copy, as the posting makes them.
        lote.push_back({n, (n - 1) * 90, 88, n % 3 == 0 ? QString(mensajes[n % 9 / 3]).append(u' ').chopped(1) : QString()});
        if (lote.size() == 1000) {
            r.agregar(lote);
            lote.clear();
        }
    }
    r.agregar(lote);
    using L = ResultadosRecepcion::Lista;
    EXPECT_EQ(r.cantidad(L::Grabados) + r.cantidad(L::Rechazados), kLineas);
    EXPECT_EQ(filasAvisadas, kLineas);
    EXPECT_EQ(r.mensajesDistintos(), 3);
    // 16 bytes a recorded line, 20 a rejected one, and the arrays' spare room.
    const double porLinea = double(r.bytesOcupados()) / double(kLineas);
    EXPECT_LE(porLinea, 40.0) << porLinea;
    EXPECT_EQ(r.texto(L::Rechazados, 0), "Linea:  3  " + mensajes[3 % 9 / 3]);
    EXPECT_EQ(r.texto(L::Grabados, 0), "Linea:  1  0/88");
    EXPECT_EQ(r.modeloRechazados()->data(r.modeloRechazados()->index(333332)).toString(),
              "Linea:  999999  " + mensajes[999999 % 9 / 3]);
}

} // namespace
