<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru_RU">
<context>
    <name>TForm1</name>
    <message>
        <source>Размер файла равен:  </source>
        <translation>File size:  </translation>
    </message>
    <message>
        <source>Открыть файл</source>
        <translation>Open file</translation>
    </message>
    <message>
        <source>Обзор</source>
        <translation>Browse</translation>
    </message>
    <message>
        <source>Сохранить файл</source>
        <translation>Save file</translation>
    </message>
    <message>
        <source>Качество сохранения</source>
        <translation>Save quality</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Редактор</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Инвертировать</source>
        <translation>Invert</translation>
    </message>
    <message>
        <source>Осветлить</source>
        <translation>Lighten</translation>
    </message>
    <message>
        <source>Затемнить</source>
        <translation>Darken</translation>
    </message>
    <message>
        <source>Повернуть</source>
        <translation>Rotate</translation>
    </message>
    <message>
        <source>На 90</source>
        <translation>By 90</translation>
    </message>
    <message>
        <source>На 180</source>
        <translation>By 180</translation>
    </message>
    <message>
        <source>Подписать картинку</source>
        <translation>Caption the picture</translation>
    </message>
    <message>
        <source>Инфа</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Об открываемом файле</source>
        <translation>About the opened file</translation>
    </message>
    <message>
        <source>О программе</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Выбрать исходный файл</source>
        <translation>Choose the source file</translation>
    </message>
    <message>
        <source>Выбрать имя сохраняемого файла</source>
        <translation>Choose the name of the file to save</translation>
    </message>
    <message>
        <source>Размер исходного файла</source>
        <translation>Size of the source file</translation>
    </message>
    <message>
        <source>Размер сохранённого файла</source>
        <translation>Size of the saved file</translation>
    </message>
    <message>
        <source>Картинки</source>
        <translation>Pictures</translation>
    </message>
    <message>
        <source>Рабочая картинка</source>
        <translation>Working picture</translation>
    </message>
    <message>
        <source>Сохранённый файл</source>
        <translation>Saved file</translation>
    </message>
    <message>
        <source>стартовая фотография</source>
        <translation>start-up photograph</translation>
    </message>
    <message>
        <source>Размер файла JPEG при сохранении</source>
        <translation>Size of the JPEG file when saved</translation>
    </message>
    <message>
        <source>%1 байт</source>
        <translation>%1 bytes</translation>
    </message>
    <message>
        <source>Отменить</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Повторить</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>Все рисунки</source>
        <translation>All pictures</translation>
    </message>
</context>
<context>
    <name>TForm2</name>
    <message>
        <source>Выберите величину освещения</source>
        <translation>Choose how much to lighten</translation>
    </message>
    <message>
        <source>Да</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Осветлить</source>
        <translation>Lighten</translation>
    </message>
</context>
<context>
    <name>TForm3</name>
    <message>
        <source>Выберите величину затемнения</source>
        <translation>Choose how much to darken</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Да</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Затемнить</source>
        <translation>Darken</translation>
    </message>
</context>
<context>
    <name>TForm4</name>
    <message>
        <source>О программе</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Команда Brelvik</source>
        <translation>The Brelvik team</translation>
    </message>
    <message>
        <source>Пишите нам!</source>
        <translation>Write to us!</translation>
    </message>
    <message>
        <source>Картинка</source>
        <translation>Picture</translation>
    </message>
</context>
<context>
    <name>TForm5</name>
    <message>
        <source>О BMP файле</source>
        <translation>BMP info</translation>
    </message>
    <message>
        <source>Сведения о BMP файле</source>
        <translation>Facts of the BMP file</translation>
    </message>
</context>
<context>
    <name>TForm6</name>
    <message>
        <source>Текст</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Текст надписи:</source>
        <translation>Caption text:</translation>
    </message>
    <message>
        <source>Шрифт</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>Положение надписи:</source>
        <translation>Caption position:</translation>
    </message>
    <message>
        <source>По оси Х:</source>
        <translation>Along X:</translation>
    </message>
    <message>
        <source>По оси У:</source>
        <translation>Along Y:</translation>
    </message>
    <message>
        <source>Применить</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Выбранный шрифт</source>
        <translation>Chosen font</translation>
    </message>
</context>
<context>
    <name>TImage</name>
    <message>
        <source>пусто</source>
        <translation>empty</translation>
    </message>
    <message>
        <source>%1 × %2 точек</source>
        <translation>%1 × %2 pixels</translation>
    </message>
    <message>
        <source>, правок: %1</source>
        <translation>, edits: %1</translation>
    </message>
</context>
</TS>
