#include "PanelCaptions.h"

#include <cstddef>

const std::array<PanelCaption, 25> PanelCaptionTable = {{
    {1130, {"Window Style", "Fenster Style", "Fenêtre Style", "Estilo de la ventana",
            "Finestra di stile", "Окно Стиль"}},
    {1131, {"Hue:", "Farbton:", "Teinte:", "Matiz:", "Colore:", "Оттенок:"}},
    {1132, {"Saturation:", "Kontrast:", "Saturation:", "Saturación:", "Saturazione:",
            "Насыщения:"}},
    {1133, {"Media Base Control", "Media Basis Kontrolle", "Base de contrôle des médias",
            "Media Control Base", "Media base di controllo", "Медиа База управления"}},
    {1134, {"Original size", "Original Ort", "Format de l'original", "Tamaño original",
            "Dimensioni originali", "Размер"}},
    {1135, {"Proportion:", "Original:", "Proportion:", "Proporción:", "Proporzione:", "Доля:"}},
    {1136, {"Full View", "Voll Anzeigen", "Full Voir", "Completo de", "Visualizzazione completa",
            "Просмотр полной"}},
    {1137, {"Play Rate:", "Spielen bewerten:", "Taux de lecture:", "Porcentaje de reproducción:",
            "Percentuale di riproduzione:", "Частота воспроизведения:"}},
    {1138, {"Surface Bethel", "Basic Bessel", "Surface Bethel", "Superficie Bethel",
            "Superficie Bethel", "Поверхность Бетел"}},
    {1139, {"Normal", "Normal", "Normal", "Normal", "Normale", "Нормальный"}},
    {1140, {"Bethel 1", "Bessel 1", "Bethel 1", "Bethel 1", "Bethel 1", "Сектантская молельня 1"}},
    {1141, {"Bethel 2", "Bessel 2", "Bethel 2", "Bethel 2", "Bethel 2", "Сектантская молельня 2"}},
    {1142, {"Bethel 3", "Bessel 3", "Bethel 3", "Bethel 3", "Bethel 3", "Сектантская молельня 3"}},
    {1143, {"Bethel 4", "Bessel 4", "Bethel 4", "Bethel 4", "Bethel 4", "Сектантская молельня 4"}},
    {1144, {"None", "Keine", "Aucun", "Ninguno", "Nessuno", "Никто"}},
    {1145, {"Freedom to adjust", "Freier einstellen", "La liberté d'ajuster",
            "Libertad para ajustar", "La libertà di regolare", "Свобода для настройки"}},
    {1153, {"Modify", "Anpassung", "Modifier", "Modificar", "Modifica", "Изменить"}},
    {1146, {"Three-dimensional", "Dreidimensionale", "Trois dimensions", "Tres dimensiones",
            "Tridimensionale", "Трехмерный"}},
    {1147, {"Flat", "Wohnung", "Appartement", "Apartamento", "Flat", "Квартира"}},
    {1148, {"Cube", "Cube", "Cube", "Cubo", "Cube", "Куб"}},
    {1149, {"Sphere", "Kugel", "Sphère", "Esfera", "Sfera", "Сфере"}},
    {1150, {"Cylinder", "Zylinder", "Cylindre", "Cilindro", "Cilindro", "Цилиндр"}},
    {1151, {"Taper", "Konus", "Cierge", "Taper", "Rastremazione", "Конусность"}},
    {1152, {"Rotation", "Rotation", "Rotation", "Rotación", "Rotazione", "Вращения"}},
    {1053, {"Reset", "Rücksetzen", "Remettre", "Restablecer", "Azzerare", "Сброс"}},
}};

const char* panelCaption(int controlId, int language)
{
    if (language < 0 || language >= 6)
        return nullptr;
    for (const PanelCaption& caption : PanelCaptionTable)
        if (caption.controlId == controlId)
            return caption.text[static_cast<std::size_t>(language)];
    return nullptr;
}
